// Runs beadsort in the page's terminal, and again from the start on request.
// A failure of a run is left to reject: the guard shows it.
import { Terminal } from './terminal.mjs';
import { wasi } from './wasi.mjs';
import { recorder } from './record.mjs';
import { Player } from './player.mjs';

const element = (id) => document.getElementById(id);
const input = element('line');
const terminal = new Terminal(element('terminal'), input);
// Made at the first sort, so that nothing of it runs before the first
// prompt is on screen.
let player = null;
// Decoded by the browser where it can, and compiled at once, not awaited,
// so that the first prompt can be on the page's first frame.
const base64 = element('program').textContent;
const bytes = Uint8Array.fromBase64?.(base64) ?? Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
const module = new WebAssembly.Module(bytes);

async function start() {
    for (const id of ['failure', 'failed', 'ended', 'again']) {
        element(id).hidden = true;
    }
    element('end').disabled = false;
    terminal.reset();
    player?.clear();
    const calls = wasi(terminal);
    const record = recorder((run) => {
        player ??= new Player(element('beads'), element('steps'), element('source'), element('sort'));
        player.show(run);
    });
    const instance = new WebAssembly.Instance(module, { ...calls.imports, ...record.imports });
    record.watch(instance);
    // Focused once the first prompt is written, which the layout that
    // focusing forces must not hold back.
    const running = calls.start(instance);
    input.focus();
    const status = await running;
    terminal.finish(status);
    element('status').textContent = String(status);
    element('end').disabled = true;
    element('ended').hidden = false;
    element('again').hidden = false;
    // Into view as little as it takes, so that the report stays in view.
    element('again').focus({ preventScroll: true });
    element('again').scrollIntoView({ block: 'nearest' });
}

element('end').addEventListener('click', () => {
    terminal.end();
    input.focus();
});
element('again').addEventListener('click', start);
// A click on the screen, but not the end of a selection, is a click to type.
element('screen').addEventListener('click', () => {
    if (getSelection().isCollapsed) {
        input.focus();
    }
});
// When an on-screen keyboard takes part of the screen, the line being typed
// stays in view.
window.visualViewport?.addEventListener('resize', () => {
    if (document.activeElement === input) {
        input.scrollIntoView({ block: 'nearest' });
    }
});
start();
