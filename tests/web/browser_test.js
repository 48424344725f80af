// The page in a real browser, driven as a user drives it: mouse clicks and keys through the
// browser's own input, then what the page shows. The rules themselves are tested in the core; this
// proves the wiring, and each place where the page corrects what the browser would do.
//   node browser_test.js chromium|firefox|webkit SITE_FOLDER EXPECTATIONS_JS NODE_MODULES CMAKE
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const browsers = require('./browsers.js');
const webkit = require('./webkit.js');

const [browserName, site, expectationsProgram, modules, cmake] = process.argv.slice(2);
const packages = browsers.packages(modules);
const puppeteer = packages('puppeteer-core');
const axeSource = fs.readFileSync(packages.resolve('axe-core/axe.min.js'), 'utf8');
const expected = browsers.expectations(expectationsProgram);
const chromium = browserName === 'chromium';

const { check, state, open, close } = browsers;
const checkBird = (what, s, p) => browsers.checkBird(expected, what, s, p);

// By mouse, or with a finger.
async function clickName(page, p, tap) {
    const { x, y } = await page.evaluate(browsers.namePoint, p);
    await (tap ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
}

async function clickOn(page, selector, dx) {
    const box = await page.evaluate((selector) => {
        const r = document.querySelector(selector).getBoundingClientRect();
        return { left: r.left, top: r.top, height: r.height };
    }, selector);
    await page.mouse.click(box.left + dx, box.top + box.height / 2);
}
// The circle, or the caption beside it.
const clickFamily = (page, n, onCaption) => clickOn(page, `[id="Option1(${n})"]`, onCaption ? 60 : 8);

async function press(page, key, modifier) {
    if (modifier) await page.keyboard.down(modifier);
    await page.keyboard.press(key);
    if (modifier) await page.keyboard.up(modifier);
}

// Places: the family buttons in the frame, everything else in the window.
async function checkPlaces(page, how) {
    const places = await page.evaluate((controls) => {
        const form = document.querySelector('main').getBoundingClientRect();
        const frame = document.getElementById('Frame1').getBoundingClientRect();
        return controls.map((id) => {
            const r = document.getElementById(id).getBoundingClientRect();
            const base = id.startsWith('Option1') ? frame : form;
            return [r.left - base.left, r.top - base.top, r.width, r.height];
        });
    }, expected.places.map((p) => p.control));
    expected.places.forEach((p, i) => check(`place of ${p.control}${how}`, places[i], [p.left, p.top, p.width, p.height]));
}

// Colours at points of the window (in its pixels) as they reach the screen, read back from a
// screenshot taken at the given scale, in a blank page: the page's own policy refuses the image.
async function colours(page, points, scale = 1) {
    const form = await page.evaluate(() => document.querySelector('main').getBoundingClientRect().toJSON());
    const shot = 'data:image/png;base64,' + await page.screenshot({ encoding: 'base64' });
    const blank = await page.browser().newPage();
    const read = await blank.evaluate(async (shot, points) => {
        const image = new Image();
        image.src = shot;
        await image.decode();
        const context = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height }).getContext('2d');
        context.drawImage(image, 0, 0);
        return points.map(([x, y]) => [...context.getImageData(x, y, 1, 1).data.slice(0, 3)]);
    }, shot, Object.values(points).map(([x, y]) => [Math.round((form.left + x) * scale), Math.round((form.top + y) * scale)]));
    await blank.close();
    return Object.fromEntries(Object.keys(points).map((name, i) => [name, read[i]]));
}

// At 200 % the page lays out the same, and draws the window with twice the pixels: the title
// label's edges fall on twice their places.
async function zoomed(browser, url) {
    const page = await open(browser, url, { deviceScaleFactor: 2 });
    await checkPlaces(page, ' at 200 %');
    const { left, width } = expected.places.find((p) => p.control === 'Label1(0)');
    const c = expected.colours;
    check('at 200 %, the title label from twice its left edge to twice its right', await colours(page, {
        before: [left - 0.5, 2], first: [left, 2], last: [left + width - 0.5, 2], after: [left + width, 2],
    }, 2), { before: c.form, first: c.label, last: c.label, after: c.form });
    await close(page);
}

async function startUp(page) {
    const s = await state(page);
    check('start-up text', s.text, expected.startupText);
    check('start-up: focus in the info box, nothing picked', [s.focus, s.picked, s.checked], ['Text1(0)', -1, -1]);
    const page_ = await page.evaluate(() => ({
        title: document.title,
        lang: document.documentElement.lang,
        names: [...document.querySelectorAll('option')].map((o) => o.textContent.replace(/\u00a0/g, ' ')),
        captions: [...document.querySelectorAll('fieldset label')].map((l) => l.textContent),
        heading: document.querySelector('label[for]').textContent,
        legend: document.querySelector('legend').textContent,
        title1: document.querySelector('h1').textContent,
        infoName: document.getElementById('Text1(0)').getAttribute('aria-label'),
    }));
    check('title', page_.title.endsWith(expected.captionEnding), true);
    check('language', page_.lang, 'bg');
    check('names', page_.names, expected.birds.map((b) => b.name));
    check('texts', [page_.captions, page_.heading, page_.legend, page_.title1, page_.infoName],
        [expected.familyCaptions, expected.listHeading, expected.frameCaption, expected.titleLabel, expected.infoBoxName]);

    await checkPlaces(page, '');

    // Quotes dropped: WebKit 2.54 (Debian 13) leaves a family name unquoted where 2.50 quotes it.
    const fonts = await page.evaluate(() => [...document.querySelectorAll('h1, legend, label, select, textarea')]
        .map((e) => `${getComputedStyle(e).fontFamily.replaceAll('"', '')} ${getComputedStyle(e).fontSize} ${getComputedStyle(e).fontWeight}`));
    check('every control in the form\'s font', [...new Set(fonts)], ['Times New Roman, serif 16px 400']);

    // The list draws both spaces of a name, as the desktop's lists do: the name is as wide on the
    // screen as the name, spaces and all, set in the list's font. (Chromium and WebKit draw a list's
    // names without laying them out as text, so only Firefox can tell their width.)
    if (browserName === 'firefox') check('a name\'s two spaces on the screen', ...await page.evaluate((name) => {
        const option = document.getElementById('List1(0)').options[0];
        const range = document.createRange();
        range.selectNodeContents(option);
        const context = document.createElement('canvas').getContext('2d');
        context.font = getComputedStyle(option).font;
        return [Math.round(range.getBoundingClientRect().width), Math.round(context.measureText(name).width)];
    }, expected.birds[0].name));

    const pixels = await colours(page, { form: [3, 3], label: [70, 5], frameAboveItsLine: [11, 42], frame: [12, 114], list: [545, 64] });
    const c = expected.colours;
    check('colours', pixels, { form: c.form, label: c.label, frameAboveItsLine: c.frame, frame: c.frame, list: c.label });

    if (chromium) {
        // The face that draws the text, not only the one asked for.
        const cdp = await page.createCDPSession();
        await cdp.send('DOM.enable');
        await cdp.send('CSS.enable');
        const { root } = await cdp.send('DOM.getDocument');
        const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: 'h1' });
        const { fonts: used } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
        check('the face that draws the text', used.map((f) => f.familyName), ['Liberation Serif']);
        // The names assistive technology gives, from the browser's own accessibility tree.
        const { nodes } = await cdp.send('Accessibility.getFullAXTree');
        const named = (role) => nodes.filter((n) => n.role?.value === role).map((n) => n.name?.value);
        check('accessible names', [named('listbox'), named('group'), named('radio'), named('textbox')],
            [[expected.listHeading], [expected.frameCaption], expected.familyCaptions, [expected.infoBoxName]]);
    }
}

// Every name by mouse: its text, its family checked, and the family event raised from inside the
// name's event turned away (else the family's listing would replace the bird's text).
async function everyNameByMouse(page) {
    for (let p = 0; p < expected.birds.length; p++) {
        await clickName(page, p);
        checkBird('click', await state(page), p);
    }
    check('a new text shows from its start', await page.evaluate(() => {
        const box = document.getElementById('Text1(0)');
        return [box.scrollTop, box.selectionStart];
    }), [0, 0]);
}

async function familiesByMouse(page) {
    for (let n = 0; n < expected.familyCaptions.length; n++) {
        await clickFamily(page, n, n === 1);
        const s = await state(page);
        check(`family ${n} by mouse`, [s.text, s.checked], [expected.familyListings[n], n]);
    }
}

// A click on, or Space over, what is picked shows it again; each checked while the box shows
// something else.
async function rePicks(page) {
    await clickName(page, 6);
    await clickFamily(page, 2);
    await clickName(page, 6);
    checkBird('a click on the picked name', await state(page), 6);
    await clickFamily(page, 2);
    await clickName(page, 6, 'tap');
    checkBird('a tap on the picked name', await state(page), 6);
    await clickFamily(page, 2);
    await page.focus('select');
    await press(page, ' ');
    checkBird('Space on the picked name', await state(page), 6);
    await clickFamily(page, 1);
    check('a click on the checked family', (await state(page)).text, expected.familyListings[1]);
    await clickName(page, 6);
    await press(page, 'Tab', 'Shift');
    check('Shift+Tab enters the group at the checked family', (await state(page)).focus, 'Option1(1)');
    await press(page, ' ');
    check('Space on the checked family', (await state(page)).text, expected.familyListings[1]);
}

async function keyboard(browser, url) {
    const page = await open(browser, url);
    const focusAfter = [];
    for (const [key, modifier] of [['Tab'], ['Tab'], ['Tab'], ['Tab', 'Shift'], ['Tab', 'Shift']]) {
        await press(page, key, modifier);
        focusAfter.push((await state(page)).focus);
    }
    check('Tab goes round, and Shift+Tab enters the group at the first family when none is checked',
        focusAfter, ['Option1(0)', 'List1(0)', 'Text1(0)', 'List1(0)', 'Option1(0)']);
    check('focus alone picks nothing', [(await state(page)).checked, (await state(page)).picked], [-1, -1]);
    await press(page, 'ArrowUp');
    let s = await state(page);
    check('Up on the first family picks the last', [s.focus, s.checked, s.text], ['Option1(2)', 2, expected.familyListings[2]]);
    await press(page, 'Tab');
    await press(page, 'ArrowDown');
    checkBird('the first Down in the list', await state(page), 0);
    await press(page, 'PageDown');
    checkBird('Page Down: the last name wholly in view, as on the desktop', await state(page), expected.namesInView - 1);
    await press(page, 'End');
    checkBird('End', await state(page), expected.birds.length - 1);
    await close(page);

    // With nothing picked, Up and Space pick the first name too (Chromium's Up would pick the last).
    for (const key of ['ArrowUp', ' ']) {
        const fresh = await open(browser, url);
        await press(fresh, 'Tab', 'Shift');
        await press(fresh, key);
        checkBird(`the first ${key === ' ' ? 'Space' : 'Up'} in the list`, await state(fresh), 0);
        await close(fresh);
    }
}

// The session by keyboard that every version of the program plays alike.
async function keySession(browser, url) {
    const page = await open(browser, url);
    for (const [i, step] of expected.keySession.entries()) {
        await press(page, step.key, step.shift ? 'Shift' : undefined);
        const s = await state(page);
        if (step.shows === 'bird') checkBird(`key session, step ${i + 1}`, s, step.name);
        else check(`key session, step ${i + 1}`, [s.picked, s.checked, s.text],
            [step.name, step.family, step.shows === 'listing' ? expected.familyListings[step.family] : expected.startupText]);
    }
    await close(page);
}

// Input the page must take in its stride: key events a script made without a key's name, a Space
// let go away from where it went down, and Page Down after the wheel left a row cut at the list's
// edge. Then a reload, which starts the window afresh.
async function strayInput(browser, url) {
    const page = await open(browser, url);
    await page.evaluate(() => {
        for (let i = 0; i < 1000; i++)
            for (const type of ['keydown', 'keyup']) document.dispatchEvent(new Event(type));
    });
    await clickName(page, 0);
    checkBird('a click after a thousand key events without a key', await state(page), 0);

    await page.focus('[id="Option1(1)"] input');
    await page.keyboard.down(' ');
    await press(page, 'Tab');
    await page.keyboard.up(' ');
    await press(page, 'Tab', 'Shift');
    await page.keyboard.up(' ');
    checkBird('Space let go on the list, then on the family it went down on', await state(page), 0);

    const { x, y } = await page.evaluate(browsers.namePoint, 2);
    await page.mouse.click(x, y);
    // Firefox's driver sends a wheel nowhere a list scrolls by it, and WebKit's list scrolls by the
    // wheel in whole rows: there the list is scrolled as by its bar.
    if (chromium) await page.mouse.wheel({ deltaY: 40 });
    else await page.evaluate(() => { document.getElementById('List1(0)').scrollTop = 40; });
    await page.waitForFunction(() => document.getElementById('List1(0)').scrollTop > 0);
    const view = () => page.evaluate(() => {
        const list = document.getElementById('List1(0)');
        const top = list.getBoundingClientRect().top + list.clientTop;
        const whole = (option) => option.getBoundingClientRect().top >= top - 0.5 &&
            option.getBoundingClientRect().bottom <= top + list.clientHeight + 0.5;
        const options = [...list.options];
        return { scrolled: list.scrollTop, cut: options.some((o) => !whole(o) && o.getBoundingClientRect().bottom > top),
            lastWhole: options.findLastIndex(whole) };
    });
    const before = await view();
    check('the wheel leaves a row cut', before.cut, true);
    await press(page, 'PageDown');
    checkBird('Page Down after a wheel scroll: the last name wholly in view', await state(page), before.lastWhole);
    check('and the list stays where the wheel left it', (await view()).scrolled, before.scrolled);

    await page.reload();
    await browsers.ready(page);
    const s = await state(page);
    check('a reload starts the window afresh', [s.picked, s.checked, s.text], [-1, -1, expected.startupText]);
    await close(page);
}

// Whether the window agrees with itself: the box shows the picked name's answer with its family
// checked, or the checked family's listing, or, with nothing picked, the start-up text.
function consistent(s) {
    if (s.checked < 0) return s.picked < 0 && s.text === expected.startupText;
    const bird = expected.birds[s.picked];
    return s.text === expected.familyListings[s.checked] || (bird?.family === s.checked && s.text.startsWith(bird.textOpening));
}

// Input before the program has taken the page over, its script held back by the server: after the
// take-over the later pick is shown, through one event, and the focus is where the pupil left it.
// Each case in a fresh profile, which holds no cached script.
async function beforeTakeOver(browser, server, url) {
    const keys = async (page) => { for (const key of ['Tab', 'Tab', 'ArrowDown', 'ArrowDown']) await press(page, key); };
    const cases = [
        ['a click on a name', (page) => clickName(page, 3), { bird: 3 }],
        ['a click on a family', (page) => clickFamily(page, 1), { listing: 1, picked: -1 }],
        ['a family, then a name', async (page) => { await clickFamily(page, 2); await clickName(page, 3); }, { bird: 3 }],
        ['a name, then a family', async (page) => { await clickName(page, 3); await clickFamily(page, 2); }, { listing: 2, picked: 3 }],
        ['Tab, Tab, Down, Down', keys, {}],
    ];
    for (const [what, input, shows] of cases) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.setViewport({ width: 600, height: 400 });
        await page.evaluateOnNewDocument(browsers.countEvents);
        const release = server.hold('krivoklyun.js');
        const loading = page.goto(url);
        // A pupil clicks what is on the screen: Firefox drops a click that comes before its first
        // paint, which a loaded machine can put off.
        await page.waitForFunction(() => document.readyState === 'interactive' &&
            performance.getEntriesByName('first-contentful-paint').length > 0);
        await input(page);
        const focus = (await state(page)).focus;
        release();
        await loading;
        await browsers.ready(page);
        const s = await state(page);
        const picked = s.picked >= 0 || s.checked >= 0;
        check(`before the take-over, ${what}: a window that agrees with itself, one event, the focus kept`,
            [consistent(s), s.events, s.focus], [true, picked ? 1 : 0, focus]);
        if (shows.bird !== undefined) checkBird(`before the take-over, ${what}`, s, shows.bird);
        if (shows.listing !== undefined) check(`before the take-over, ${what}: the listing`,
            [s.text, s.checked, s.picked], [expected.familyListings[shows.listing], shows.listing, shows.picked]);
        await context.close();
    }
}

async function labelsKeepTheFocus(page) {
    await page.focus('textarea');
    await clickOn(page, 'label[for]', 20);
    await clickOn(page, 'h1', 20);
    await clickOn(page, 'legend', 20);
    check('a click on a label or the frame leaves the focus where it was', (await state(page)).focus, 'Text1(0)');
}

// An index past a list's end: the message names it and the form takes no more input.
async function runtimeError(browser, url) {
    const page = await open(browser, url);
    await page.evaluate(() => document.getElementById('List1(0)').add(new Option('x')));
    await clickFamily(page, 0);
    check('a run-time error is reported naming the item',
        page.dialogs.length === 1 && page.dialogs[0].includes('List1(1).List(16)'), true);
    check('the form takes no more input', await page.evaluate(() => document.querySelector('main').inert), true);
    const before = (await state(page)).text;
    await clickName(page, 3);
    check('after the error nothing changes', (await state(page)).text, before);
    check('and the page leaves Tab to the browser', await page.evaluate(() =>
        document.dispatchEvent(new KeyboardEvent('keydown', { key: 'Tab', cancelable: true }))), true);
    await close(page);
}

// Two releases of the site for the service worker's tests, made from the one just built, with
// their workers written by the build's own script: this one, the next (its page and program
// changed), and the next copied to the host halfway (its worker and page, this one's program).
// Folders a/ and b/ of one host hold this one and the next.
function releases() {
    const root = fs.mkdtempSync(path.join(os.tmpdir(), 'krivoklyun-releases-'));
    const copy = (name, from) => {
        fs.cpSync(from, path.join(root, name), { recursive: true });
        return path.join(root, name);
    };
    const made = { root, a: copy('a', site), b: copy('b', site) };
    const page = path.join(made.b, 'index.html');
    fs.writeFileSync(page, fs.readFileSync(page, 'utf8').replace('<head>', '<head>\n<meta name="release" content="next">'));
    fs.appendFileSync(path.join(made.b, 'krivoklyun.js'), '\n// the next release\n');
    const kept = fs.readdirSync(made.b).filter((name) => name !== 'sw.js').map((name) => path.join(made.b, name));
    const sources = path.join(__dirname, '..', '..', 'window', 'web');
    execFileSync(cmake, [`-DTEMPLATE=${path.join(sources, 'sw.js.in')}`, `-DOUTPUT=${path.join(made.b, 'sw.js')}`,
        '-DVERSION=next', `-DFILES=${kept.join(';')}`, '-P', path.join(sources, 'service_worker.cmake')]);
    made.halfway = copy('halfway', made.b);
    fs.copyFileSync(path.join(made.a, 'krivoklyun.js'), path.join(made.halfway, 'krivoklyun.js'));
    return made;
}

// Whether a worker takes charge of the page, its earlier releases' caches gone, within 10 s.
const activated = (page) => page.evaluate(() => Promise.race([
    navigator.serviceWorker.ready.then(async ({ active }) => {
        while (active.state !== 'activated') await new Promise((resolve) => active.addEventListener('statechange', resolve, { once: true }));
        return true;
    }),
    new Promise((resolve) => setTimeout(resolve, 10000, false)),
]));

// Installable; and, on a host without folder indexes that holds two releases in two folders, each
// folder's own address opens its release, and answers, with the server gone.
async function offline(browser, made) {
    const server = await browsers.serve(made.root, { folderIndex: false });
    const url = `http://127.0.0.1:${server.address().port}/`;
    const page = await open(browser, url + 'a/index.html');
    const cdp = await page.createCDPSession();
    check('installable', (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    check('a worker in folder a', await activated(page), true);
    const next = await open(browser, url + 'b/index.html');
    check('a worker in folder b', await activated(next), true);
    await close(next);
    server.closeAllConnections();
    await new Promise((resolve) => server.close(resolve));
    await page.goto(url + 'a/');
    await browsers.ready(page);
    await clickName(page, 2);
    checkBird('offline, at the folder\'s address, after another folder\'s release', await state(page), 2);
    await close(page);
}

// A new release served with a host's caching headers reaches the page; one copied halfway does
// not, and the release before stays.
async function update(browser, made, how, headers) {
    const server = await browsers.serve(made.a, { headers });
    const page = await open(browser, `http://127.0.0.1:${server.address().port}/`);
    check(`${how}: a worker`, await activated(page), true);
    const release = async (folder) => {
        server.folder = folder;
        return page.evaluate(async () => {
            const registration = await navigator.serviceWorker.getRegistration();
            const installed = new Promise((resolve) => registration.addEventListener('updatefound', () => {
                const worker = registration.installing;
                worker.addEventListener('statechange', () => {
                    if (worker.state === 'activated' || worker.state === 'redundant') resolve(worker.state);
                });
            }));
            await registration.update();
            return Promise.race([installed, new Promise((resolve) => setTimeout(resolve, 10000, 'no new worker'))]);
        });
    };
    const next = () => page.evaluate(() => document.querySelector('meta[name=release]') !== null);
    check(`${how}: a release copied halfway is refused`, await release(made.halfway), 'redundant');
    await page.reload();
    await browsers.ready(page);
    check(`${how}: and the release before stays`, await next(), false);
    check(`${how}: the next release is taken`, await release(made.b), 'activated');
    await page.reload();
    await browsers.ready(page);
    check(`${how}: and shown`, await next(), true);
    await close(page);
    server.closeAllConnections();
    server.close();
}

async function accessibility(page) {
    await page.evaluate(axeSource);
    const violations = await page.evaluate(async () =>
        (await axe.run()).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
    check('axe-core finds no violation', violations, []);
}

browsers.run('krivoklyun browser checks', site,
    () => (browserName === 'webkit' ? webkit.launch(packages) : browsers.launch(puppeteer, browserName)),
    async (browser, url, server) => {
        console.log(`${browserName}: ${await browser.version()}`);
        const fromDisk = await open(browser, pathToFileURL(path.join(site, 'index.html')).href);
        await clickName(fromDisk, 4);
        checkBird('opened from disk', await state(fromDisk), 4);
        await close(fromDisk);

        const page = await open(browser, url);
        await startUp(page);
        await accessibility(page);
        await labelsKeepTheFocus(page);
        await everyNameByMouse(page);
        await familiesByMouse(page);
        await rePicks(page);
        await close(page);
        await keyboard(browser, url);
        await keySession(browser, url);
        await strayInput(browser, url);
        // WebKit's driver opens no fresh profile, and waits for a page's script before anything else.
        if (browserName !== 'webkit') await beforeTakeOver(browser, server, url);
        // WebKit's driver sets no device scale.
        if (browserName !== 'webkit') await zoomed(browser, url);
        await runtimeError(browser, url);
        // The service worker in Chromium alone: installability is asked through its DevTools
        // protocol, and an update is the same code in every engine.
        if (chromium) {
            const made = releases();
            try {
                await offline(browser, made);
                await update(browser, made, 'served with Last-Modified', { 'Last-Modified': new Date(Date.now() - 365 * 86400e3).toUTCString() });
                await update(browser, made, 'served with max-age', { 'Cache-Control': 'max-age=86400' });
            } finally {
                fs.rmSync(made.root, { recursive: true });
            }
        }
    });
