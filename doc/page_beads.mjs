// Makes doc/page-beads.png, the README's picture of the page: the example
// session, stepped to the second loop on rod 12, its beads beside the
// sort's source with the line that the step runs lit, in headless Chromium.
//   node doc/page_beads.mjs build/web/beadsort-VERSION-web.html
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { puppeteerBrowsers } from '../tests/browsers.mjs';

const browser = await puppeteer.launch({ headless: true, ...puppeteerBrowsers.chromium });
const tab = await browser.newPage();
await tab.setViewport({ width: 1280, height: 760 });
await tab.goto(pathToFileURL(process.argv[2]).href);
await tab.keyboard.type('7 3 50 0 12 3 9 1 44 3');
await tab.keyboard.press('Enter');
await tab.waitForFunction(() => document.getElementById('beads').dataset.state === 'read' &&
                          document.getAnimations().length === 0);
// The 50 rods of the drop, then rods 1 to 12 of the rows.
await tab.evaluate(() => {
    for (let step = 0; step < 62; step += 1) {
        document.querySelector('[data-action=next]').click();
    }
});
await tab.waitForFunction(() => document.getAnimations().length === 0);
await tab.screenshot({ path: new URL('page-beads.png', import.meta.url).pathname });
await browser.close();
