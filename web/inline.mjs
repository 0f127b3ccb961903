// Makes the one self-contained page: the program, base64, in an inert script
// element; the guard as a script of its own; and the page's modules joined
// into one module script, each module's imports being modules before it.
// Joining takes off each import of a sibling and the word export; a page
// opened from disk may load no module file.
//   node inline.mjs TEMPLATE PROGRAM GUARD OUTPUT MODULE...
import { readFile, writeFile } from 'node:fs/promises';
import { basename } from 'node:path';

const [template, program, guard, output, ...modules] = process.argv.slice(2);
const text = (file) => readFile(file, 'utf8');

const sibling = /^import \{[^}]*\} from '\.\/([\w.-]+)';\n/gm;
const joined = [];
async function script(file) {
    const source = await text(file);
    if (source.includes('</script')) {
        throw new Error(`${file} cannot stand inside a script element`);
    }
    for (const [, name] of source.matchAll(sibling)) {
        if (!joined.includes(name)) {
            throw new Error(`${file} imports ${name}, which is not joined before it`);
        }
    }
    const body = source.replace(sibling, '').replace(/^export /gm, '');
    if (/^\s*(import|export)\b/m.test(body)) {
        throw new Error(`${file} imports or exports what cannot be joined`);
    }
    joined.push(basename(file));
    return body;
}

const parts = [
    `<script type="application/wasm" id="program">${(await readFile(program)).toString('base64')}</script>`,
    `<script type="module">\n${await script(guard)}</script>`,
];
const bodies = [];
for (const file of modules) {
    bodies.push(await script(file));
}
parts.push(`<script type="module">\n${bodies.join('\n')}</script>`);

const marker = /<!-- The build puts the program and its scripts here[^>]*-->/;
const html = await text(template);
if (!marker.test(html)) {
    throw new Error(`${template} has no place for the scripts`);
}
await writeFile(output, html.replace(marker, () => parts.join('\n')));
