// Runs beadsort in the page's terminal, and again from the start on request
// or when the page's fragment, a link's session, changes. A failure of a run
// is left to reject: the guard shows it.
import { Terminal } from './terminal.mjs';
import { wasi } from './wasi.mjs';
import { recorder } from './record.mjs';
import { Player } from './player.mjs';
import { linkedLines, sessionLink } from './link.mjs';
import { both } from './both.mjs';

const element = (id) => document.getElementById(id);
const ids = (...names) => names.map(element);
const shareButton = document.querySelector('[data-action=share]');
const input = element('line');
const terminal = new Terminal(element('terminal'), input);
// Made at the first sort, so that nothing of it runs before the first
// prompt is on screen.
let player = null;
// Decoded by the browser where it can, and compiled at once, not awaited,
// so that the first prompt can be on the page's first frame. Where it
// cannot be, the guard is told the error itself: of a page opened from
// disk, a browser may tell it only "Script error.".
let module;
try {
    const base64 = element('program').textContent;
    module = new WebAssembly.Module(Uint8Array.fromBase64?.(base64) ?? Uint8Array.from(atob(base64), (c) => c.charCodeAt(0)));
} catch (error) {
    dispatchEvent(new ErrorEvent('error', { error, message: String(error) }));
    throw error;
}

async function start() {
    for (const shown of [...ids('failure', 'failed', 'ended', 'again', 'share', 'notice'), shareButton]) {
        shown.hidden = true;
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
    // A link's lines are typed once the program waits; a link that types
    // nothing says why, as words.
    const { lines = [], why } = linkedLines(location.hash);
    terminal.type(lines);
    if (why) {
        element('notice').replaceChildren(both(...why));
        element('notice').hidden = false;
    }
    // Focused once the first prompt is written, which the layout that
    // focusing forces must not hold back.
    const running = calls.start(instance);
    input.focus();
    const status = await running;
    terminal.finish(status);
    element('status').textContent = String(status);
    element('end').disabled = true;
    for (const shown of [...ids('ended', 'again'), shareButton]) {
        shown.hidden = false;
    }
    // The status takes the focus, and is read out; a key pressed after the
    // end acts on nothing, and running again is a Tab away. Into view as
    // little as it takes, so that the report stays in view.
    element('ended').focus({ preventScroll: true });
    element('ended').scrollIntoView({ block: 'nearest' });
}

// The session's link, in a field to copy from, and on the clipboard where
// the page may write it.
shareButton.addEventListener('click', () => {
    const field = element('share');
    field.value = sessionLink(location.href, terminal.lines);
    field.hidden = false;
    field.focus();
    field.select();
    navigator.clipboard?.writeText(field.value).catch(() => {});
});
addEventListener('hashchange', start);
// The example, when it is already the page's fragment, starts again too.
element('example').addEventListener('click', () => {
    if (element('example').hash === location.hash) {
        start();
    }
});
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
