// What the browser test, the benchmark and the screenshot share: Debian's Chromium and Firefox ESR
// started headless through puppeteer-core, and a folder served on this machine as a web server
// serves it.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

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
// (`folderIndex: false`) answers a folder's address with 404.
exports.serve = (folder, { extra = {}, headers = {}, folderIndex = true } = {}) => {
    const types = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
    const server = http.createServer((request, response) => {
        let name = new URL(request.url, 'http://localhost').pathname.slice(1);
        if (name === '' || name.endsWith('/')) {
            if (!folderIndex) return response.writeHead(404).end();
            name += 'index.html';
        }
        const file = path.join(server.folder, name);
        const body = server.extra[name] ?? (fs.statSync(file, { throwIfNoEntry: false })?.isFile() ? fs.readFileSync(file) : undefined);
        if (body === undefined) return response.writeHead(404).end();
        response.writeHead(200, { 'Content-Type': types[path.extname(name)] || 'application/octet-stream', ...server.headers });
        response.end(body);
    });
    Object.assign(server, { folder, extra, headers });
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

// The program writes this mark once it has taken the page over.
exports.ready = (page) =>
    page.waitForFunction(() => performance.getEntriesByName('krivoklyun-ready').length > 0, { timeout: 10000 });
