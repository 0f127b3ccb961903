// Makes the one self-contained page, since a page opened from disk may load
// no other file: the program, base64, and the loops of its sort as their
// source has them, in inert script elements; the guard and the page's
// bundle, each a module script. The loops are the template with the
// comments just above it; the page lights the line that each loop's step
// runs, which the build finds here or stops.
//   node inline.mjs TEMPLATE PROGRAM SORT GUARD BUNDLE OUTPUT
import { readFile, writeFile } from 'node:fs/promises';
import { basename } from 'node:path';

const [template, program, sort, guard, bundle, output] = process.argv.slice(2);
const text = (file) => readFile(file, 'utf8');
const MAX_BYTES = 64 * 1024;

const header = await text(sort);
const loops = /^(?:\/\/.*\n)*template <[^]*?^}$/m.exec(header);
if (!loops) {
    throw new Error(`${sort} has no template of the sort's loops`);
}
const lines = loops[0].split('\n');
const lit = (code) => {
    const found = lines.flatMap((line, at) => (line.includes(code) ? [at] : []));
    if (found.length !== 1) {
        throw new Error(`${sort}: the loops have ${found.length} lines with "${code}", not one to light`);
    }
    return found[0];
};
const firstLine = header.slice(0, loops.index).split('\n').length;

// A script element of the page, which nothing in its content may close.
const script = (attributes, content, what) => {
    if (content.includes('</script')) {
        throw new Error(`${what} cannot stand inside a script element`);
    }
    return `<script${attributes}>${content}</script>`;
};
const parts = [
    script(' type="application/wasm" id="program"', (await readFile(program)).toString('base64'), program),
    script(` type="text/plain" id="sort" data-file="${basename(sort)}" data-line="${firstLine}"` +
           ` data-drop="${lit('pile +=')}" data-rows="${lit('counter +=')}"`, loops[0], sort),
];
for (const file of [guard, bundle]) {
    parts.push(script('', `\n${(await text(file)).trimEnd()}\n`, file));
}

const marker = /<!-- The build puts the program and its scripts here[^>]*-->/;
const html = await text(template);
if (!marker.test(html)) {
    throw new Error(`${template} has no place for the scripts`);
}
const page = html.replace(marker, () => parts.join('\n'));
const bytes = Buffer.byteLength(page);
if (bytes > MAX_BYTES) {
    throw new Error(`the page is ${bytes} bytes, over its budget of ${MAX_BYTES}`);
}
await writeFile(output, page);
