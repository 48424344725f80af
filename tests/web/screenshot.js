// Takes the page's screenshot after a pick of a bird, as the desktop ones are taken: in Chromium
// the page's view is the window's size, or a 360 × 640 phone's tapped with a finger ("phone"); in
// WebKit it is the whole browser window, to be cropped.
//   node screenshot.js chromium|phone|webkit SITE_FOLDER NODE_MODULES OUTPUT.png
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const browsers = require('./browsers.js');
const webkit = require('./webkit.js');

const [browserName, site, modules, output] = process.argv.slice(2);
const packages = browsers.packages(modules);
const phone = browserName === 'phone';

(async () => {
    const browser = await (browserName === 'webkit' ? webkit.launch(packages) : browsers.launch(packages('puppeteer-core'), 'chromium'));
    try {
        const page = await browser.newPage();
        await page.setViewport(phone ? { width: 360, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true }
            : { width: 580, height: 345 });
        await page.goto(pathToFileURL(path.join(site, 'index.html')).href);
        await browsers.ready(page);
        const name = await page.evaluate(browsers.namePoint, 4); // "Горска ушата сова"
        await (phone ? page.touchscreen.tap(name.x, name.y) : page.mouse.click(name.x, name.y));
        fs.writeFileSync(output, Buffer.from(await page.screenshot({ encoding: 'base64' }), 'base64'));
    } finally {
        await browser.close();
    }
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
