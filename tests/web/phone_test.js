// The page on phones and tablets in Chromium's device emulation, tapped and swiped with a finger,
// and in a desktop window 320 px wide (400 % zoom) clicked with a mouse; Firefox takes only that
// window. Sizes are read from the page's boxes.
//   node phone_test.js chromium|firefox SITE_FOLDER EXPECTATIONS_JS NODE_MODULES
'use strict';
const browsers = require('./browsers.js');

const [browserName, site, expectationsProgram, modules] = process.argv.slice(2);
const puppeteer = browsers.packages(modules)('puppeteer-core');
const expected = browsers.expectations(expectationsProgram);
const { check } = browsers;
const last = expected.birds.length - 1;

const devices = [
    { name: 'phone 320 × 568', width: 320, height: 568, touch: true, scale: 2 },
    { name: 'phone 360 × 640', width: 360, height: 640, touch: true, scale: 3 },
    { name: 'phone 390 × 844', width: 390, height: 844, touch: true, scale: 3 },
    { name: 'phone landscape 844 × 390', width: 844, height: 390, touch: true, scale: 3 },
    { name: 'tablet 768 × 1024', width: 768, height: 1024, touch: true, scale: 2 },
    { name: 'tablet landscape 1024 × 768', width: 1024, height: 768, touch: true, scale: 2 },
    { name: 'desktop window 320 × 256, mouse', width: 320, height: 256, touch: false, scale: 1 },
].filter((device) => browserName === 'chromium' || !device.touch);

// What matters to a finger and to the eye, from the page's boxes and styles.
const measure = (page) => page.evaluate(() => {
    const all = (selector) => [...document.querySelectorAll(selector)];
    const list = document.getElementById('List1(0)');
    const box = document.getElementById('Text1(0)');
    const style = getComputedStyle(box);
    const main = document.querySelector('main').getBoundingClientRect();
    const listBottom = list.getBoundingClientRect().top + list.clientTop + list.clientHeight;
    return {
        overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        target: Math.min(...all('option, fieldset>label').map((e) => e.getBoundingClientRect())
            .map((r) => Math.min(r.width, r.height))),
        font: Math.min(...all('h1, legend, label, option, textarea').map((e) => parseFloat(getComputedStyle(e).fontSize))),
        lines: (box.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)) / parseFloat(style.lineHeight),
        onScreen: main.top >= 0 && main.bottom <= innerHeight,
        namesCut: list.scrollWidth > list.clientWidth,
        lastInView: all('option').filter((o) => o.getBoundingClientRect().bottom <= listBottom + 0.5).length - 1,
    };
});

// The start of the info box on the screen.
const answerShows = (page) => page.evaluate(() => {
    const box = document.getElementById('Text1(0)');
    const top = box.getBoundingClientRect().top;
    return top >= 0 && top + parseFloat(getComputedStyle(box).lineHeight) <= innerHeight;
});

// Where a finger or the mouse goes for an element, scrolled into view as a user would. A finger
// lands on what the screen shows, which a scroll reaches a frame or two later (and a scroll still
// under way may take the element off it again).
const pointOn = (page, selector, index) => page.evaluate(async (selector, index) => {
    const element = document.querySelectorAll(selector)[index];
    for (let tries = 1; ; tries++) {
        element.scrollIntoView({ block: 'nearest' });
        await new Promise((frame) => requestAnimationFrame(() => requestAnimationFrame(frame)));
        const r = element.getBoundingClientRect();
        if ((r.top >= 0 && r.bottom <= innerHeight) || tries === 5) return { x: r.left + r.width * 0.75, y: r.top + r.height / 2 };
    }
}, selector, index);

async function device(browser, url, d) {
    const page = await browsers.open(browser, url, { width: d.width, height: d.height,
        deviceScaleFactor: d.scale, isMobile: d.touch, hasTouch: d.touch });
    const m = await measure(page);
    console.log(`${d.name}: smallest target ${m.target} px, smallest font ${m.font} px, sideways overflow ${m.overflow} px`);
    // The whole window on a touch screen, so the list scrolls itself and every answer shows; Firefox
    // never wraps an option, so there the longest name is cut below about 350 px.
    check(`${d.name}: the layout`,
        [m.overflow, m.font >= 16, m.lines >= 6, browserName === 'firefox' || !m.namesCut, !d.touch || (m.onScreen && m.target >= 44)],
        [0, true, true, true, true]);

    // A keyboard follows the desktop's rules on the rows as laid out here.
    for (const key of ['Tab', 'Tab', 'PageDown']) await page.keyboard.press(key);
    browsers.checkBird(expected, `${d.name}, Page Down: the last name wholly in view`, await browsers.state(page), m.lastInView);

    // Each from the top of the page, where a pupil starts reading: names near the start, the end and
    // one the list scrolls to, a family by its caption, then the picked name again.
    for (const [selector, n] of [['option', 0], ['option', 12], ['option', last], ['fieldset>label', 0], ['option', last]]) {
        await page.evaluate(() => scrollTo(0, 0));
        const { events } = await browsers.state(page);
        const { x, y } = await pointOn(page, selector, n);
        await (d.touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
        const s = await browsers.state(page);
        const what = `${d.name}, ${selector === 'option' ? 'name' : 'family'} ${n}`;
        if (selector === 'option') browsers.checkBird(expected, what, s, n);
        else check(what, s.text, expected.familyListings[n]);
        check(`${what}: one event, and its answer on the screen`, [s.events - events, await answerShows(page)], [1, true]);
    }

    if (d.touch) {
        // A swipe through the list scrolls it, where it has more names than it shows, and picks
        // nothing, not even when it starts on the picked name: the finger goes up, or down when the
        // list is at its end.
        const start = await pointOn(page, 'option', last);
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
        check(`${d.name}: a swipe scrolls the list and picks nothing`,
            [scrolled, after.picked, after.events, after.text], [list.scrolls, before.picked, before.events, before.text]);
    }
    await browsers.close(page);
}

// High contrast on a phone: borders round the controls, the system's colours, a frame round the
// focus. The list and the info box then share the system's background.
async function forcedColours(browser, url) {
    const page = await browsers.open(browser, url, { width: 360, height: 640, isMobile: true, hasTouch: true });
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
    await page.focus('select');
    check('forced colours', await page.evaluate(() => {
        const style = (selector) => getComputedStyle(document.querySelector(selector));
        const bordered = ['select', 'textarea', 'fieldset'].every((s) => parseFloat(style(s).borderTopWidth) > 0 && style(s).borderTopStyle !== 'none');
        return [bordered, style('select').backgroundColor === style('textarea').backgroundColor, style('select').outlineStyle !== 'none'];
    }), [true, true, true]);
    await browsers.close(page);
}

browsers.run('krivoklyun phone checks', site, () => browsers.launch(puppeteer, browserName), async (browser, url) => {
    for (const d of devices) await device(browser, url, d);
    if (browserName === 'chromium') await forcedColours(browser, url);
});
