// The page on phones and tablets in Chromium's device emulation, tapped and swiped with a finger,
// and in a desktop window 320 px wide (400 % zoom) clicked with a mouse; Firefox takes only that
// window. Sizes are read from the page's boxes.
//   node phone_test.js chromium|firefox SITE_FOLDER EXPECTATIONS_JS NODE_MODULES
'use strict';
const browsers = require('./browsers.js');

const [browserName, site, expectationsProgram, modules] = process.argv.slice(2);
const puppeteer = browsers.packages(modules)('puppeteer-core');
const expected = browsers.expectations(expectationsProgram);

const devices = [
    { name: 'phone 320 × 568', width: 320, height: 568, touch: true, scale: 2 },
    { name: 'phone 360 × 640', width: 360, height: 640, touch: true, scale: 3 },
    { name: 'phone 390 × 844', width: 390, height: 844, touch: true, scale: 3 },
    { name: 'phone landscape 844 × 390', width: 844, height: 390, touch: true, scale: 3 },
    { name: 'tablet 768 × 1024', width: 768, height: 1024, touch: true, scale: 2 },
    { name: 'tablet landscape 1024 × 768', width: 1024, height: 768, touch: true, scale: 2 },
    { name: 'desktop window 320 × 256, mouse', width: 320, height: 256, touch: false, scale: 1 },
].filter((device) => browserName === 'chromium' || !device.touch);

// The boxes and fonts that matter to a finger and to the eye.
const measure = (page) => page.evaluate(() => {
    const rects = (selector) => [...document.querySelectorAll(selector)].map((e) => e.getBoundingClientRect());
    const targets = [...rects('option'), ...rects('fieldset>label')];
    const box = document.getElementById('Text1(0)');
    const style = getComputedStyle(box);
    const main = document.querySelector('main').getBoundingClientRect();
    const list = document.getElementById('List1(0)');
    return {
        overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        target: Math.min(...targets.map((r) => Math.min(r.width, r.height))),
        font: Math.min(...[...document.querySelectorAll('h1, legend, label, option, textarea')].map((e) => parseFloat(getComputedStyle(e).fontSize))),
        lines: (box.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)) / parseFloat(style.lineHeight),
        onScreen: main.top >= 0 && main.bottom <= innerHeight,
        namesCut: list.scrollWidth > list.clientWidth,
    };
});

async function device(browser, url, d) {
    const page = await browsers.open(browser, url, { width: d.width, height: d.height,
        deviceScaleFactor: d.scale, isMobile: d.touch, hasTouch: d.touch });
    const m = await measure(page);
    console.log(`${d.name}: smallest target ${m.target} px, smallest font ${m.font} px, sideways overflow ${m.overflow} px`);
    browsers.check(`${d.name}: no sideways scrolling`, m.overflow, 0);
    browsers.check(`${d.name}: no text under 16 px`, m.font >= 16, true);
    browsers.check(`${d.name}: six lines or more in the info box`, m.lines >= 6, true);
    // Firefox never wraps an option, so there the longest name is cut below about 350 px.
    if (browserName === 'chromium') browsers.check(`${d.name}: long names wrap, none is cut`, m.namesCut, false);
    // The whole window on the screen, so the list scrolls itself and every answer shows.
    if (d.touch) browsers.check(`${d.name}: the window on the screen, targets of 44 px or more`, [m.onScreen, m.target >= 44], [true, true]);

    const at = (selector, index) => page.evaluate(async (selector, index) => {
        const element = document.querySelectorAll(selector)[index];
        element.scrollIntoView({ block: 'nearest' });
        // A finger lands on what the screen shows: the scroll reaches it with the next frame.
        await new Promise((frame) => requestAnimationFrame(() => requestAnimationFrame(frame)));
        const r = element.getBoundingClientRect();
        return { x: r.left + r.width * 0.75, y: r.top + r.height / 2 };
    }, selector, index);
    const pick = async (selector, index) => {
        const { x, y } = await at(selector, index);
        await (d.touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
        return browsers.state(page);
    };
    const answered = async (what, s, events, text) => {
        const shows = await page.evaluate(() => {
            const box = document.getElementById('Text1(0)');
            const r = box.getBoundingClientRect();
            return r.top >= 0 && r.top + parseFloat(getComputedStyle(box).lineHeight) <= innerHeight;
        });
        browsers.check(`${d.name}, ${what}: one event, and its answer on the screen`, [s.events - events, shows], [1, true]);
        if (text !== undefined) browsers.check(`${d.name}, ${what}`, s.text, text);
    };
    // The first name, one the list scrolls to, the last; a family by its caption; a re-pick.
    for (const p of [0, 12, expected.birds.length - 1]) {
        const events = (await browsers.state(page)).events;
        const s = await pick('option', p);
        browsers.checkBird(expected, `${d.name}, name ${p}`, s, p);
        await answered(`name ${p}`, s, events);
    }
    // From the top of the page, where a pupil starts reading.
    await page.evaluate(() => scrollTo(0, 0));
    let events = (await browsers.state(page)).events;
    await answered('a family', await pick('fieldset>label', 0), events, expected.familyListings[0]);
    events = (await browsers.state(page)).events;
    const last = expected.birds.length - 1;
    const again = await pick('option', last);
    browsers.checkBird(expected, `${d.name}, the picked name again`, again, last);
    await answered('the picked name again', again, events);

    if (d.touch) {
        // A swipe through the list scrolls it, where it has more names than it shows, and picks
        // nothing, not even when it starts on the picked name: the finger goes up, or down when the
        // list is at its end.
        const start = await at('option', last);
        const list = await page.evaluate(() => {
            const list = document.getElementById('List1(0)');
            return { scrolls: list.scrollHeight > list.clientHeight,
                step: list.scrollTop + list.clientHeight < list.scrollHeight - 1 ? -12 : 12 };
        });
        const before = await browsers.state(page);
        const cdp = await page.createCDPSession();
        const touch = (type, touchPoints) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints });
        await touch('touchStart', [start]);
        for (let step = 1; step <= 8; step++) {
            await new Promise((resolve) => setTimeout(resolve, 16));
            await touch('touchMove', [{ x: start.x, y: start.y + list.step * step }]);
        }
        await touch('touchEnd', []);
        // The list scrolls on the compositor; the page sees it a few frames later.
        const scrolled = list.scrolls && await page.waitForFunction((top) => document.getElementById('List1(0)').scrollTop !== top,
            { timeout: 3000 }, before.listTop).then(() => true, () => false);
        const after = await browsers.state(page);
        browsers.check(`${d.name}: a swipe scrolls the list and picks nothing`,
            [scrolled, after.picked, after.events, after.text], [list.scrolls, before.picked, before.events, before.text]);
    }
    await browsers.close(page);
}

// High contrast: the system's colours, borders round the controls, a frame round the focus.
async function forcedColours(browser, url) {
    const page = await browsers.open(browser, url, { width: 360, height: 640, isMobile: true, hasTouch: true });
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
    await page.focus('select');
    const seen = await page.evaluate(() => ['select', 'textarea', 'fieldset'].map((selector) => {
        const style = getComputedStyle(document.querySelector(selector));
        return [parseFloat(style.borderTopWidth) > 0 && style.borderTopStyle !== 'none', style.backgroundColor];
    }).concat([getComputedStyle(document.activeElement).outlineStyle]));
    browsers.check('forced colours: borders, the system\'s background, a focus frame',
        [seen[0][0], seen[1][0], seen[2][0], seen[0][1] === seen[1][1], seen[3] !== 'none'], [true, true, true, true, true]);
    await page.close();
}

(async () => {
    const server = await browsers.serve(site);
    const url = `http://127.0.0.1:${server.address().port}/`;
    const browser = await browsers.launch(puppeteer, browserName);
    try {
        for (const d of devices) await device(browser, url, d);
        if (browserName === 'chromium') await forcedColours(browser, url);
    } finally {
        await browser.close();
        server.closeAllConnections();
        server.close();
    }
    browsers.finish('krivoklyun phone checks');
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
