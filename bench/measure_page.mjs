// Measures the figures of the page in doc/performance.md, in headless
// Chromium and Firefox, as a user first opens the page: each load in a fresh
// tab. The page's size; how long after navigation starts the first prompt is
// on screen, against the floor, the shipped page with its scripts replaced by
// a plain inline script that writes the same prompt; how long after Enter
// the next prompt is there, and the frames of the beads' fall, how long a
// guess takes to be checked and drawn, and the frames of stepping through
// the sort a step each 50 ms, and of playing its steps at the fastest speed
// (Chromium).
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
        // The example session's values, a line each, whose beads fall.
        const delays = [];
        for (const [n, value] of [7, 3, 50, 0, 12, 3, 9, 1, 44, 3].entries()) {
            await tab.keyboard.type(String(value));
            await tab.keyboard.press('Enter');
            await tab.waitForFunction((k) => window.prompts.length > k || document.querySelector('[role=log]').dataset.exitStatus, {}, n + 1);
            if (n < 9) {
                delays.push(await tab.evaluate((k) => window.prompts[k].written - window.entered[k - 1], n + 1));
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
        const report = (what, times) => console.log(`${name}: ${what} in ${times.length} frames, median ` +
                                                    `${median([...times]).toFixed(1)} ms, longest ${Math.max(...times).toFixed(1)} ms`);
        report('the fall', frames);

        // Guessing first, from the Enter that sends a pile's guess to the
        // frame that draws the answer, for the first ten rods.
        await tab.evaluate(() => document.querySelector('[data-action=guess]').click());
        const checks = [];
        for (let j = 0; j < 10; j += 1) {
            await tab.evaluate(() => document.querySelector('[data-action=next]').click());
            await tab.waitForFunction(() => document.activeElement.id === 'guess');
            await tab.keyboard.type('5');
            checks.push(await tab.evaluate(() => new Promise((resolve) => {
                const guess = document.getElementById('guess');
                guess.addEventListener('keydown', (event) => {
                    requestAnimationFrame(() => resolve(performance.now() - event.timeStamp));
                }, { once: true });
                guess.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true, cancelable: true }));
            })));
        }
        console.log(`${name}: a guess checked and drawn in ${median(checks).toFixed(2)} ms (median of ${checks.length})`);
        await tab.evaluate(() => document.querySelector('[data-action=guess]').click());

        // From the start of the steps to the last, by the button or played.
        for (const how of ['stepping', 'playing']) {
            report(how, await tab.evaluate((playing) => new Promise((resolve) => {
                const figure = document.getElementById('beads');
                const button = (action) => document.querySelector(`[data-action=${action}]`);
                const times = [];
                const frame = (time) => {
                    times.push(time);
                    if (figure.dataset.at === 'rows 49' && !document.getElementById('steps').classList.contains('playing')) {
                        resolve(times.slice(1).map((later, i) => later - times[i]));
                    } else {
                        requestAnimationFrame(frame);
                    }
                };
                button('start').click();
                if (playing) {
                    const speed = document.querySelector('.speed');
                    speed.value = Math.min(...[...speed.options].map((option) => Number(option.value)));
                    speed.dispatchEvent(new Event('change'));
                    button('play').click();
                } else {
                    const clicking = setInterval(() => {
                        button('next').click();
                        if (figure.dataset.at === 'rows 49') {
                            clearInterval(clicking);
                        }
                    }, 50);
                }
                requestAnimationFrame(frame);
            }), how === 'playing'));
        }
    }
    await browser.close();
}
