// Makes the one self-contained page: the program, base64, in an inert script
// element; page.mjs as the page's module script; and the modules it imports,
// which import nothing themselves, as data: URLs in an import map, since a
// page opened from disk may load no module file.
//   node inline.mjs TEMPLATE PROGRAM PAGE_MODULE OUTPUT IMPORTED_MODULE...
import { readFile, writeFile } from 'node:fs/promises';
import { basename } from 'node:path';

const [template, program, page, output, ...imported] = process.argv.slice(2);
const text = (file) => readFile(file, 'utf8');
const base64 = async (file) => (await readFile(file)).toString('base64');

const imports = {};
for (const file of imported) {
    imports[`./${basename(file)}`] = `data:text/javascript;base64,${await base64(file)}`;
}
const script = await text(page);
if (script.includes('</script')) {
    throw new Error(`${page} cannot stand inside a script element`);
}
const parts = [
    `<script type="application/wasm" id="program">${await base64(program)}</script>`,
    `<script type="importmap">${JSON.stringify({ imports })}</script>`,
    `<script type="module">\n${script}</script>`,
];
const marker = /<!-- The build puts the program and its scripts here[^>]*-->/;
const html = await text(template);
if (!marker.test(html)) {
    throw new Error(`${template} has no place for the scripts`);
}
await writeFile(output, html.replace(marker, () => parts.join('\n')));
