// Makes the one self-contained page: the program, base64, and the loops of
// its sort, as their source has them, in inert script elements; the guard
// as a script of its own; and the page's modules joined into one module
// script, each module's imports being modules before it. Joining takes off
// each import of a sibling and the word export, since a page opened from
// disk may load no module file; and the lines' indents and the lines that
// are comments, which are for the sources' readers, and would take a sixth
// of the page.
//   node inline.mjs TEMPLATE PROGRAM SORT GUARD OUTPUT MODULE...
import { readFile, writeFile } from 'node:fs/promises';
import { basename } from 'node:path';

const [template, program, sort, guard, output, ...modules] = process.argv.slice(2);
const text = (file) => readFile(file, 'utf8');

// The loops: from the comments before their template to the brace at the
// start of a line that ends it, with the number of their first line.
const header = await text(sort);
const loops = /^(?:\/\/.*\n)*template <[^]*?^}$/m.exec(header);
if (!loops || loops[0].includes('</script')) {
    throw new Error(`${sort} has no loops of the sort that can stand in the page`);
}
const firstLine = header.slice(0, loops.index).split('\n').length;

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
    // A line's start matters only inside a string or template that goes on
    // from the line before, which none may do.
    const lines = body.split('\n').map((line) => line.trim());
    if (lines.some((line) => line.endsWith('\\') || (line.split('`').length - 1) % 2 !== 0)) {
        throw new Error(`${file} has a string or template of more than a line`);
    }
    joined.push(basename(file));
    return lines.filter((line) => line !== '' && !line.startsWith('//')).join('\n');
}

const parts = [
    `<script type="application/wasm" id="program">${(await readFile(program)).toString('base64')}</script>`,
    `<script type="text/plain" id="sort" data-file="${basename(sort)}" data-line="${firstLine}">${loops[0]}</script>`,
    `<script type="module">\n${await script(guard)}\n</script>`,
];
const bodies = [];
for (const file of modules) {
    bodies.push(await script(file));
}
parts.push(`<script type="module">\n${bodies.join('\n')}\n</script>`);

const marker = /<!-- The build puts the program and its scripts here[^>]*-->/;
const html = await text(template);
if (!marker.test(html)) {
    throw new Error(`${template} has no place for the scripts`);
}
await writeFile(output, html.replace(marker, () => parts.join('\n')));
