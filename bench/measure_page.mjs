// Measures the figures of the page in doc/performance.md, in headless
// Chromium and Firefox, as a user first opens the page: each load in a fresh
// tab. The page's size; how long after navigation starts the first prompt is
// on screen, against the floor, the shipped page with its scripts replaced by
// a plain inline script that writes the same prompt; how long after Enter
// the next prompt is there, and the frames of the beads' fall (Chromium).
// Medians of RUNS loads of each, the two pages taking turns, in one run.
//   node bench/measure_page.mjs PAGE     (RUNS=N, default 41)
import { readFileSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { puppeteerBrowsers } from '../tests/browsers.mjs';

const page = pathToFileURL(process.argv[2]).href;
const prompt = 'Εισάγετε το στοιχείο 1 (επιτρεπόμενες τιμές από 0 έως και 50): ';
const floorFile = join(tmpdir(), 'beadsort-floor.html');
writeFileSync(floorFile, readFileSync(process.argv[2], 'utf8')
    .replace(/<script[^>]*>[^]*?<\/script>\n?/g, '')
    .replace('</body>', `<script>document.getElementById('terminal').textContent = '${prompt}';</script>\n</body>`));
const floor = pathToFileURL(floorFile).href;
const runs = Number(process.env.RUNS ?? 41);
const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

// Notes, in the page, when a prompt first reaches the screen: the frame
// after the log's text ends with one.
function notePrompts() {
    window.prompts = [];
    new MutationObserver(() => {
        const text = document.querySelector('[role=log]')?.textContent ?? '';
        if (text.endsWith('): ') && text.length !== window.seen) {
            window.seen = text.length;
            const written = performance.now();
            requestAnimationFrame(() => window.prompts.push({ written, shown: performance.now() }));
        }
    }).observe(document, { childList: true, subtree: true, characterData: true });
}

// Opens a page in a fresh tab, and returns the tab once its first prompt is
// on screen.
async function open(browser, url) {
    const tab = await browser.newPage();
    await tab.evaluateOnNewDocument(notePrompts);
    await tab.goto(url);
    await tab.waitForFunction(() => window.prompts.length > 0);
    return tab;
}

console.log(`page: ${statSync(process.argv[2]).size} bytes`);
for (const [name, options] of Object.entries(puppeteerBrowsers)) {
    const browser = await puppeteer.launch({ headless: true, ...options });
    const times = { page: [], floor: [] };
    for (let run = 0; run < runs; run += 1) {
        for (const [which, url] of [['page', page], ['floor', floor]]) {
            const tab = await open(browser, url);
            times[which].push(await tab.evaluate(() => window.prompts[0].shown));
            await tab.close();
        }
    }
    const [ours, least] = [median(times.page), median(times.floor)];
    console.log(`${name}: first prompt ${ours.toFixed(1)} ms, floor ${least.toFixed(1)} ms: ${(ours / least).toFixed(2)} times`);

    if (name === 'chromium') {
        const tab = await open(browser, page);
        await tab.evaluate(() => {
            window.entered = [];
            document.querySelector('input').addEventListener('keydown', (event) => {
                if (event.key === 'Enter') {
                    window.entered.push(event.timeStamp);
                }
            }, { capture: true });
        });
        const delays = [];
        for (let value = 1; value <= 10; value += 1) {
            await tab.keyboard.type(String(value));
            await tab.keyboard.press('Enter');
            await tab.waitForFunction((n) => window.prompts.length > n || document.querySelector('[role=log]').dataset.exitStatus, {}, value);
            if (value < 10) {
                delays.push(await tab.evaluate((n) => window.prompts[n].written - window.entered[n - 1], value));
            }
        }
        console.log(`${name}: Enter to the next prompt ${median(delays).toFixed(2)} ms (median of ${delays.length})`);

        // The frames of the beads' fall, from the first after it starts to
        // the last before they are read.
        const frames = await tab.evaluate(() => new Promise((resolve) => {
            const figure = document.getElementById('beads');
            const times = [];
            const frame = (time) => {
                times.push(time);
                if (figure.dataset.state === 'read') {
                    resolve(times.slice(1).map((time, i) => time - times[i]));
                } else {
                    requestAnimationFrame(frame);
                }
            };
            new MutationObserver((_, observer) => {
                if (figure.dataset.state === 'fallen') {
                    observer.disconnect();
                    requestAnimationFrame(frame);
                }
            }).observe(figure, { attributeFilter: ['data-state'] });
        }));
        console.log(`${name}: the fall in ${frames.length} frames, median ${median([...frames]).toFixed(1)} ms, ` +
                    `longest ${Math.max(...frames).toFixed(1)} ms`);
    }
    await browser.close();
}
