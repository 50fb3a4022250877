// Renders the formula table (formulas.tsv) to one SVG per picture in assets/formulas/.
//
//   node render.mjs <mathjax-dir> [picture ...]
//
// <mathjax-dir> is a folder whose node_modules holds mathjax-full (the regenerate script
// installs it there). The pictures are made for QtSvg, which reads SVG Tiny 1.2 only: MathJax's
// nested <svg> with ex units becomes one flat <g transform> of glyph paths inside a top-level
// <svg> with a pixel size, a white ground and a thin black border.

import {createRequire} from 'node:module';
import {readFileSync, writeFileSync} from 'node:fs';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const repo = resolve(here, '../..');

// Natural sizes in pixels (twips ÷ 15); core/formulas.cpp holds the same table in twips.
const usualSize = {width: 508, height: 134};
const largerSizes = {
    27: {width: 508, height: 140}, 43: {width: 511, height: 142}, 61: {width: 508, height: 149},
    62: {width: 508, height: 140}, 63: {width: 508, height: 142}, 65: {width: 508, height: 149},
    66: {width: 511, height: 149}, 67: {width: 508, height: 149}, 73: {width: 511, height: 149},
};

const emPixels = 32;      // type size of a formula that fits at full size (x-height 14 px)
const minEmPixels = 17;   // below this a formula is too small to read: refuse it
const margin = 10;        // clear space between the border and the formula

function readTable(path) {
    const rows = [];
    for (const line of readFileSync(path, 'utf8').split('\n')) {
        if (line === '' || line.startsWith('#')) continue;
        const [index, shapes, kind, tex, text] = line.split('\t');
        rows.push({index: Number(index), shapes, kind, tex, text});
    }
    return rows;
}

function makeConverter(mathjaxDir) {
    const require = createRequire(join(resolve(mathjaxDir), 'package.json'));
    const {mathjax} = require('mathjax-full/js/mathjax.js');
    const {TeX} = require('mathjax-full/js/input/tex.js');
    const {SVG} = require('mathjax-full/js/output/svg.js');
    const {liteAdaptor} = require('mathjax-full/js/adaptors/liteAdaptor.js');
    const {RegisterHTMLHandler} = require('mathjax-full/js/handlers/html.js');
    require('mathjax-full/js/input/tex/ams/AmsConfiguration.js');

    const adaptor = liteAdaptor();
    RegisterHTMLHandler(adaptor);
    const document = mathjax.document('', {
        InputJax: new TeX({packages: ['base', 'ams'], formatError: (_, error) => { throw error; }}),
        OutputJax: new SVG({fontCache: 'none'}),
    });

    // The math as MathJax lays it out: its viewBox (1000 units to the em) and the markup of
    // what lies inside the nested <svg>.
    return (tex) => {
        const container = document.convert(tex, {display: true});
        const svg = adaptor.firstChild(container);
        const [x, y, width, height] = adaptor.getAttribute(svg, 'viewBox').split(/\s+/).map(Number);
        const inner = adaptor.childNodes(svg).map((node) => adaptor.outerHTML(node)).join('');
        return {box: {x, y, width, height}, inner};
    };
}

// MathJax's markup reduced to what SVG Tiny needs: no data-* or aria attributes, black
// instead of currentColor.
function tidy(markup) {
    return markup
        .replace(/\s(?:data-[\w-]+|aria-[\w-]+|class|role|focusable)="[^"]*"/g, '')
        .replace(/currentColor/g, '#000');
}

function checkTiny(markup, index) {
    for (const banned of ['<svg', '<use', '<style', 'style=', '<foreignObject', 'ex"']) {
        if (markup.includes(banned)) throw new Error(`picture ${index}: MathJax output holds ${banned}`);
    }
}

const round = (v) => Math.round(v * 1000) / 1000;

function escapeXml(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

function picture(row, math) {
    const {width, height} = largerSizes[row.index] ?? usualSize;
    const box = math.box;
    const scale = Math.min(emPixels / 1000, (width - 2 * margin) / box.width,
                           (height - 2 * margin) / box.height);
    if (scale * 1000 < minEmPixels) {
        throw new Error(`picture ${row.index}: ${round(scale * 1000)} px type is too small to read`);
    }
    const left = (width - box.width * scale) / 2 - box.x * scale;
    const top = (height - box.height * scale) / 2 - box.y * scale;
    const body = tidy(math.inner);
    checkTiny(body, row.index);
    const svg = [
        `<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny"`
            + ` width="${width}" height="${height}" viewBox="0 0 ${width} ${height}">`,
        `<title>${escapeXml(row.text)}</title>`,
        `<desc>${escapeXml(row.tex)}</desc>`,
        `<rect x="0.5" y="0.5" width="${width - 1}" height="${height - 1}" fill="#fff" stroke="#000"`
            + ` stroke-width="1"/>`,
        `<g transform="translate(${round(left)},${round(top)}) scale(${round(scale * 1e6) / 1e6})">`,
        body,
        `</g>`,
        `</svg>`,
        ``,
    ].join('\n');
    return {svg, typePixels: scale * 1000};
}

function main() {
    const [mathjaxDir, ...only] = process.argv.slice(2);
    if (!mathjaxDir) throw new Error('usage: node render.mjs <mathjax-dir> [picture ...]');
    const rows = readTable(join(here, 'formulas.tsv'));
    if (rows.length !== 76 || rows.some((row, i) => row.index !== i)) {
        throw new Error('formulas.tsv must list the pictures 0 to 75 in order');
    }
    const convert = makeConverter(mathjaxDir);
    const wanted = only.length ? new Set(only.map(Number)) : null;
    for (const row of rows) {
        if (wanted && !wanted.has(row.index)) continue;
        const math = convert(row.tex);
        const name = `formula_${String(row.index).padStart(2, '0')}.svg`;
        const {svg, typePixels} = picture(row, math);
        writeFileSync(join(repo, 'assets', 'formulas', name), svg);
        console.log(`${name}  ${typePixels.toFixed(1)} px type`);
    }
}

main();
