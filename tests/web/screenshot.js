// Takes the page's screenshot after a click on a bird, as the desktop ones are taken: in Chromium
// the page's view is the window's size; in WebKit it is the whole browser window, to be cropped.
//   node screenshot.js chromium|webkit SITE_FOLDER NODE_MODULES OUTPUT.png
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const browsers = require('./browsers.js');
const webkit = require('./webkit.js');

const [browserName, site, modules, output] = process.argv.slice(2);
const packages = browsers.packages(modules);

(async () => {
    const browser = await (browserName === 'webkit' ? webkit.launch(packages) : browsers.launch(packages('puppeteer-core'), browserName));
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 580, height: 345 });
        await page.goto(pathToFileURL(path.join(site, 'index.html')).href);
        await browsers.ready(page);
        const name = await page.evaluate(browsers.namePoint, 4); // "Горска ушата сова"
        await page.mouse.click(name.x, name.y);
        fs.writeFileSync(output, Buffer.from(await page.screenshot({ encoding: 'base64' }), 'base64'));
    } finally {
        await browser.close();
    }
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
