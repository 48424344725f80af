// Takes the page's screenshot in Chromium after a click on a bird, as the desktop ones are taken:
//   node screenshot.js SITE_FOLDER NODE_MODULES OUTPUT.png
'use strict';
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const browsers = require('./browsers.js');

const [site, modules, output] = process.argv.slice(2);
const puppeteer = browsers.packages(modules)('puppeteer-core');

(async () => {
    const browser = await browsers.launch(puppeteer, 'chromium');
    const page = await browser.newPage();
    await page.setViewport({ width: 580, height: 345 });
    await page.goto(pathToFileURL(path.join(site, 'index.html')).href);
    await browsers.ready(page);
    const name = await page.evaluate(browsers.namePoint, 4); // "Горска ушата сова"
    await page.mouse.click(name.x, name.y);
    await page.screenshot({ path: output });
    await browser.close();
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
