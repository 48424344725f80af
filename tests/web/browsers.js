// What the browser tests, the benchmark and the screenshot share: Debian's Chromium and Firefox ESR
// started headless through puppeteer-core, a folder served on this machine as a web server serves
// it, the page opened and read back, and the tests' checks.
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { pathToFileURL } = require('node:url');

// puppeteer-core and axe-core, from the folder npm installed them into (outside the sources).
exports.packages = (modules) => require('node:module').createRequire(path.join(path.resolve(modules), 'index.js'));

exports.launch = (puppeteer, name) => {
    if (name === 'firefox')
        return puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true });
    return puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        // Real scroll bars: the info box wraps its lines beside one.
        ignoreDefaultArgs: ['--hide-scrollbars'],
        // No sandbox for root; nothing reaching for the network this machine does not have.
        args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--disable-quic'],
    });
};

// Serves a folder on 127.0.0.1 at a free port, as a static host does. What it serves can change
// between requests, as a host's files and settings do: `server.folder`, `server.headers` (sent with
// every file) and `server.extra` (pages given by name). A host without folder indexes
// (`folderIndex: false`) answers a folder's address with 404. `server.hold(name)` holds a file back,
// as a slow network would, until the function it returns lets it go.
exports.serve = (folder, { extra = {}, headers = {}, folderIndex = true } = {}) => {
    const types = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
    const held = {};
    const server = http.createServer(async (request, response) => {
        let name = new URL(request.url, 'http://localhost').pathname.slice(1);
        if (name === '' || name.endsWith('/')) {
            if (!folderIndex) return response.writeHead(404).end();
            name += 'index.html';
        }
        await held[name];
        const file = path.join(server.folder, name);
        const body = server.extra[name] ?? (fs.statSync(file, { throwIfNoEntry: false })?.isFile() ? fs.readFileSync(file) : undefined);
        if (body === undefined) return response.writeHead(404).end();
        response.writeHead(200, { 'Content-Type': types[path.extname(name)] || 'application/octet-stream', ...server.headers });
        response.end(body);
    });
    const hold = (name) => {
        let release;
        held[name] = new Promise((resolve) => { release = resolve; });
        return release;
    };
    Object.assign(server, { folder, extra, headers, hold });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
};

// Where a pointer picks name p, run in the page: on its row, scrolled into view, a little in from
// the left.
exports.namePoint = (p) => {
    const option = document.getElementById('List1(0)').options[p];
    option.scrollIntoView({ block: 'nearest' });
    const box = option.getBoundingClientRect();
    return { x: box.left + 30, y: box.top + box.height / 2 };
};

// The expectations of expected.h, from the small program that writes them as JSON.
exports.expectations = (program) => JSON.parse(execFileSync(process.execPath, [program], { encoding: 'utf8' }));

// The program writes this mark once it has taken the page over.
exports.ready = (page) =>
    page.waitForFunction(() => performance.getEntriesByName('krivoklyun-ready').length > 0, { timeout: 10000 });

// An event writes the info box afresh and then extends it, line by line; a write that does not
// extend what the box holds starts one, so the page counts the events that got through.
exports.countEvents = function countEvents() {
    const value = Object.getOwnPropertyDescriptor(HTMLTextAreaElement.prototype, 'value');
    window.krivoklyunEvents = 0;
    Object.defineProperty(HTMLTextAreaElement.prototype, 'value', {
        ...value,
        set(text) {
            if (!String(text).replace(/\r\n/g, '\n').startsWith(value.get.call(this))) window.krivoklyunEvents++;
            value.set.call(this, text);
        },
    });
};

// Opens the page and waits until the program has taken it over. Anything the page's content
// policy refuses is thrown as a script error; close() checks that the page had none.
exports.open = async (browser, url, viewport = {}) => {
    const page = await browser.newPage();
    await page.setViewport({ width: 600, height: 400, ...viewport });
    page.dialogs = [];
    page.errors = [];
    page.on('dialog', async (dialog) => { page.dialogs.push(dialog.message()); await dialog.accept(); });
    page.on('pageerror', (error) => page.errors.push(error.message));
    await page.evaluateOnNewDocument(() => addEventListener('securitypolicyviolation', (violation) => {
        throw new Error(`refused by the page's policy: ${violation.violatedDirective} ${violation.blockedURI}`);
    }));
    await page.evaluateOnNewDocument(exports.countEvents);
    await page.goto(url);
    await exports.ready(page);
    return page;
};
exports.close = async (page) => {
    const url = page.url();
    await page.close();
    exports.check(`no script errors on ${url}`, page.errors, []);
};

exports.state = (page) => page.evaluate(() => {
    const radios = [...document.querySelectorAll('input[type=radio]')];
    const focus = document.activeElement;
    const list = document.getElementById('List1(0)');
    return {
        text: document.getElementById('Text1(0)').value.replace(/\n/g, '\r\n'), // as the program wrote it
        picked: list.selectedIndex,
        checked: radios.findIndex((radio) => radio.checked),
        focus: focus.type === 'radio' ? focus.parentNode.id : focus.id,
        listTop: list.scrollTop,
        events: window.krivoklyunEvents,
    };
});

// Checks, counted; finish() reports them and ends the test with their verdict.
let passed = 0;
const failures = [];
exports.check = (what, actual, wanted) => {
    const ok = JSON.stringify(actual) === JSON.stringify(wanted);
    if (ok) passed++;
    else failures.push(`${what}\n    actual:   ${JSON.stringify(actual)}\n    expected: ${JSON.stringify(wanted)}`);
    return ok;
};
exports.fail = (what) => failures.push(what);
exports.finish = (title) => {
    for (const failure of failures) console.log(`FAIL ${failure}`);
    console.log(`${title}: ${passed} passed, ${failures.length} failed`);
    process.exit(failures.length === 0 && passed > 0 ? 0 : 1);
};

// A test from start to verdict: serves the site, starts the browser, makes the checks, and closes
// both whatever happens; a check that throws fails the test instead of hiding the others.
exports.run = (title, site, launch, checks) => (async () => {
    const server = await exports.serve(site);
    const url = `http://127.0.0.1:${server.address().port}/`;
    const browser = await launch();
    try {
        await checks(browser, url, server);
    } catch (error) {
        exports.fail(`the test stopped: ${error.stack}`);
    } finally {
        await browser.close();
        server.closeAllConnections();
        server.close();
    }
    exports.finish(title);
})().catch((error) => {
    console.error(error);
    process.exit(1);
});

// A bird's text in the info box, its name picked and its family checked.
exports.checkBird = (expected, what, state, p) => {
    const bird = expected.birds[p];
    exports.check(`${what}: bird ${p}'s text`, state.text.slice(0, bird.textOpening.length), bird.textOpening);
    exports.check(`${what}: bird ${p}'s text length`, state.text.length, bird.textLength);
    exports.check(`${what}: the pick and the family`, [state.picked, state.checked], [p, bird.family]);
};

// Lighthouse's report on a page, in its mobile or its desktop preset, for the categories asked. It
// opens its own tab in a Chromium started by launch().
exports.lighthouse = async (modules, browser, url, preset, categories) => {
    const load = async (name) => (await import(pathToFileURL(exports.packages(modules).resolve(name)).href)).default;
    const lighthouse = await load('lighthouse');
    const config = preset === 'desktop' ? await load('lighthouse/core/config/desktop-config.js') : undefined;
    const port = Number(new URL(browser.wsEndpoint()).port);
    return (await lighthouse(url, { port, onlyCategories: categories, logLevel: 'error' }, config)).lhr;
};
