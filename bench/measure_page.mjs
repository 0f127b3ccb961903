// Measures the figures of the page in doc/performance.md, in headless
// Chromium and Firefox: the page's size; how long after navigation starts
// the first prompt is on screen, against the floor, the same page without
// the program, whose plain inline script shows the same prompt; and how long
// after Enter the next prompt is there (Chromium). Medians of RUNS runs, the
// two pages taking turns.
//   node bench/measure_page.mjs PAGE     (RUNS=N, default 41)
import { readFileSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const page = pathToFileURL(process.argv[2]).href;
const prompt = 'Εισάγετε το στοιχείο 1 (επιτρεπόμενες τιμές από 0 έως και 50): ';
const floorFile = join(tmpdir(), 'beadsort-floor.html');
writeFileSync(floorFile, readFileSync(new URL('../web/beadsort.html', import.meta.url), 'utf8').replace(
    '</body>', `<script>document.getElementById('terminal').textContent = '${prompt}';</script>\n</body>`));
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

const browsers = {
    chromium: { browser: 'chrome', executablePath: '/usr/bin/chromium',
                args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
                       '--no-first-run', '--disable-sync'] },
    firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' },
};

console.log(`page: ${statSync(process.argv[2]).size} bytes`);
for (const [name, options] of Object.entries(browsers)) {
    const browser = await puppeteer.launch({ headless: true, ...options });
    const tab = await browser.newPage();
    await tab.evaluateOnNewDocument(notePrompts);
    const firstPrompt = async (url) => {
        await tab.goto(url);
        await tab.waitForFunction(() => window.prompts.length > 0);
        return tab.evaluate(() => window.prompts[0].shown);
    };
    const times = { page: [], floor: [] };
    for (let run = 0; run < runs; run += 1) {
        times.page.push(await firstPrompt(page));
        times.floor.push(await firstPrompt(floor));
    }
    const [ours, least] = [median(times.page), median(times.floor)];
    console.log(`${name}: first prompt ${ours.toFixed(1)} ms, floor ${least.toFixed(1)} ms: ${(ours / least).toFixed(2)} times`);

    if (name === 'chromium') {
        await tab.goto(page);
        await tab.waitForFunction(() => window.prompts.length > 0);
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
    }
    await browser.close();
}
