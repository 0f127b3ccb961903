// Makes doc/page-beads.png, the README's picture of the page: the figure of
// the beads after the example session's fall, in headless Chromium.
//   node doc/page_beads.mjs build/web/beadsort-VERSION-web.html
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { puppeteerBrowsers } from '../tests/browsers.mjs';

const browser = await puppeteer.launch({ headless: true, ...puppeteerBrowsers.chromium });
const tab = await browser.newPage();
await tab.setViewport({ width: 760, height: 900 });
await tab.goto(pathToFileURL(process.argv[2]).href);
await tab.keyboard.type('7 3 50 0 12 3 9 1 44 3');
await tab.keyboard.press('Enter');
await tab.waitForFunction(() => document.getElementById('beads').dataset.state === 'read' &&
                          document.getAnimations().length === 0);
await (await tab.$('#beads')).screenshot({ path: new URL('page-beads.png', import.meta.url).pathname });
await browser.close();
