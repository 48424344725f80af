// The page's start-up in headless Chromium, against a floor: the same page, with its controls and
// texts, and no script. Each run starts a fresh browser; the two pages alternate. Prints medians.
//   node startup.js SITE_FOLDER ROUNDS NODE_MODULES
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const browsers = require('../../web/browsers.js');

const [site, rounds, modules] = process.argv.slice(2);
const puppeteer = browsers.packages(modules)('puppeteer-core');
const floor = fs.readFileSync(path.join(site, 'index.html'), 'utf8').replace(/<script[^>]*><\/script>\n/, '');

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Milliseconds from the start of navigation to the first paint with content (the window and its
// start-up text, in both pages).
const firstPaint = (page) => page.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => {
        const contentful = list.getEntriesByName('first-contentful-paint')[0];
        if (contentful) resolve(contentful.startTime);
    }).observe({ type: 'paint', buffered: true });
}).then((time) => time));

// Clicks the first name from the moment the page is there until the info box answers; the time is
// taken in the page right after the answer is seen, so it is late by at most one round trip.
async function firstAnswer(page) {
    const box = await page.evaluate(browsers.namePoint, 0);
    for (;;) {
        await page.mouse.click(box.x, box.y);
        const time = await page.evaluate(() =>
            document.getElementById('Text1(0)').value.startsWith('Семейство') ? performance.now() : 0);
        if (time > 0) return time;
    }
}

async function run(url, program) {
    const browser = await browsers.launch(puppeteer, 'chromium');
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 600, height: 400 });
        await page.goto(url, { waitUntil: 'domcontentloaded' });
        const result = { paint: await firstPaint(page) };
        if (program) {
            result.answer = await firstAnswer(page);
            result.ready = await page.evaluate(() => performance.getEntriesByName('krivoklyun-ready')[0].startTime);
        } else {
            await page.waitForNetworkIdle();
        }
        result.heap = (await page.metrics()).JSHeapUsedSize / 1e6;
        return result;
    } finally {
        await browser.close();
    }
}

(async () => {
    const server = await browsers.serve(site, { extra: { 'floor.html': floor } });
    const base = `http://127.0.0.1:${server.address().port}/`;
    const floorRuns = [];
    const programRuns = [];
    for (let round = 0; round < Number(rounds); round++) {
        const order = round % 2 ? [false, true] : [true, false];
        for (const program of order)
            (program ? programRuns : floorRuns).push(await run(base + (program ? 'index.html' : 'floor.html'), program));
    }
    server.close();
    const m = (runs, key) => median(runs.map((r) => r[key]));
    const row = (what, a, b, unit) =>
        console.log(`| ${what} | ${a.toFixed(1)} ${unit} | ${b.toFixed(1)} ${unit} | ${(b / a).toFixed(2)} |`);
    console.log(`Chromium headless, medians of ${rounds} runs, a fresh browser each:\n`);
    console.log('| | floor (no script) | krivoklyun | ratio |\n|---|---:|---:|---:|');
    row('first paint, with the start-up text', m(floorRuns, 'paint'), m(programRuns, 'paint'), 'ms');
    row('JS heap used', m(floorRuns, 'heap'), m(programRuns, 'heap'), 'MB');
    console.log(`\nthe program has taken the page over: ${m(programRuns, 'ready').toFixed(1)} ms`);
    console.log(`the first click answered (clicking from the start): ${m(programRuns, 'answer').toFixed(1)} ms`);
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
