// Lighthouse's performance score and first contentful paint of the served page, in its mobile
// preset (a mid-range phone on a slow 4G connection, simulated) and its desktop preset; medians of
// a few runs, since the score moves with the machine's load.
//   node lighthouse.js SITE_FOLDER NODE_MODULES [RUNS]
'use strict';
const browsers = require('../../web/browsers.js');

const [site, modules, runs = 5] = process.argv.slice(2);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const puppeteer = browsers.packages(modules)('puppeteer-core');

(async () => {
    const server = await browsers.serve(site);
    const url = `http://127.0.0.1:${server.address().port}/`;
    const browser = await browsers.launch(puppeteer, 'chromium');
    try {
        const rows = [];
        let version;
        for (const preset of ['mobile', 'desktop']) {
            const scores = [];
            const paints = [];
            for (let run = 0; run < Number(runs); run++) {
                const report = await browsers.lighthouse(modules, browser, url, preset, ['performance']);
                version = report.lighthouseVersion;
                scores.push(report.categories.performance.score * 100);
                paints.push(report.audits['first-contentful-paint'].numericValue);
            }
            rows.push(`| ${preset} | ${median(scores).toFixed(0)} [${Math.min(...scores).toFixed(0)}–${Math.max(...scores).toFixed(0)}] | ${median(paints).toFixed(0)} ms |`);
        }
        console.log(`Lighthouse ${version}, ${await browser.version()}, medians of ${runs} runs [range]:\n`);
        console.log('| preset | performance | first contentful paint |\n|---|---:|---:|\n' + rows.join('\n'));
    } finally {
        await browser.close();
        server.close();
    }
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
