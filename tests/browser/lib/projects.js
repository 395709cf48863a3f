'use strict';
// Reads and writes the tagged project files (.dlcg, .ksdm): CR LF lines, every field followed by "#$@".
const SEP = '#$@';

const PRODUCTS = {
  dulcamon: { name: 'Dulcamon', params: 23, fields: 15 },
  kestravo: { name: 'Kestravo', params: 19, fields: 5 },
};

function line(fields) { return fields.map((f) => String(f) + SEP).join(''); }

function writeProject(product, params, items) {
  const p = PRODUCTS[product];
  if (params.length !== p.params) throw new Error(`${product}: ${params.length} parameters, expected ${p.params}`);
  const out = [
    '<Warning_Info>',
    `Note: This file be created and maintained by ${p.name} 1.0.`,
    "It may cause the project file can't be opened correctly if you modify it by yourself!",
    '</Warning_Info>',
    '<Product_Name>', p.name, '</Product_Name>',
    '<Product_Version>', '1.0', '</Product_Version>',
    '<Applet_Parameters>', line(params), '</Applet_Parameters>',
    '<Item_Parameters>',
  ];
  for (const it of items) {
    if (it.length !== p.fields) throw new Error(`${product}: item with ${it.length} fields, expected ${p.fields}`);
    out.push(line(it));
  }
  out.push('</Item_Parameters>');
  return Buffer.from(out.join('\r\n') + '\r\n', 'latin1');
}

function split(l) {
  const f = l.split(SEP);
  f.pop();
  return f;
}

function readProject(buf) {
  const lines = buf.toString('latin1').split('\r\n');
  const at = (tag) => lines.indexOf(tag);
  const params = split(lines[at('<Applet_Parameters>') + 1]);
  const items = lines.slice(at('<Item_Parameters>') + 1, at('</Item_Parameters>')).map(split);
  const product = lines[at('<Product_Name>') + 1].toLowerCase();
  return { product, params, items };
}

// Dulcamon: menu parameter defaults, and an item made from a short description.
const DLCG_DEFAULTS = ['dulcam10', '', '0', '0', '0', '0', '0', '', '0', '1000', '2',
  'arial,helvetica,times new roman', '12', '0', '0', '2', 'FDDE73', '40', '15', '1', '5', '1', ''];
const DLCG_PARAM = { name: 0, frame: 1, scroll: 2, align: 3, x: 4, y: 5, gap: 6, click: 8, delay: 9,
  pad: 10, family: 11, size: 12, bold: 13, italic: 14, bw: 15, bc: 16, sx: 17, sy: 18, glide: 19,
  step: 20, speed: 21, filter: 22 };

function dlcgParams(over = {}) {
  const p = DLCG_DEFAULTS.slice();
  for (const [k, v] of Object.entries(over)) {
    if (!(k in DLCG_PARAM)) throw new Error(`unknown dulcamon parameter ${k}`);
    p[DLCG_PARAM[k]] = String(v);
  }
  return p;
}

// Flattens a nested item tree into item lines with numbered identifiers and levels.
function dlcgItems(tree, look = {}) {
  const out = [];
  const walk = (list, parentId, level) => {
    for (const it of list) {
      const id = 'i' + out.length;
      const s = { ...look, ...it };
      out.push([id, parentId, s.caption, s.url || '', s.target ?? '_self', s.w ?? 80, s.h ?? 20,
        s.img || '', s.imgOver || '', s.bg ?? '408080', s.bgOver ?? '83C0C0', s.fg ?? '00FF00',
        s.fgOver ?? '008040', s.desc || '', String(level)].map(String));
      if (it.kids) walk(it.kids, id, level + 1);
    }
  };
  walk(tree, '', 0);
  return out;
}

const KSDM_DEFAULTS = ['200', 'Please select ...', 'Verdana, Arial, Helvetica, sans-serif', '10', '0', '0',
  '001F5B', 'F2F5FF', 'FFFFFF', 'C0C0C0', 'FFFFFF', '8099CA', '677695', 'ECF0F8', '677695', 'FFFFFF', '', '', '0'];
const KSDM_PARAM = { width: 0, tip: 1, family: 2, size: 3, bold: 4, italic: 5, color: 6, bg: 7, tipColor: 8,
  tipBg: 9, mainColor: 10, mainBg: 11, subColor: 12, subBg: 13, altColor: 14, altBg: 15 };

function ksdmParams(over = {}) {
  const p = KSDM_DEFAULTS.slice();
  for (const [k, v] of Object.entries(over)) {
    if (!(k in KSDM_PARAM)) throw new Error(`unknown kestravo parameter ${k}`);
    p[KSDM_PARAM[k]] = String(v);
  }
  return p;
}

function ksdmItems(tree) {
  const out = [];
  const walk = (list, level) => {
    for (const it of list) {
      out.push([it.caption, it.url || '', it.target ?? '_self', String(level), '']);
      if (it.kids) walk(it.kids, level + 1);
    }
  };
  walk(tree, 0);
  return out;
}

module.exports = { SEP, writeProject, readProject, dlcgParams, dlcgItems, ksdmParams, ksdmItems, DLCG_PARAM };

// A copy of a dulcamon project with some menu parameters changed.
function withParams(buf, over) {
  const { product, params, items } = readProject(buf);
  const map = product === 'dulcamon' ? DLCG_PARAM : KSDM_PARAM;
  for (const [k, v] of Object.entries(over)) {
    if (!(k in map)) throw new Error(`unknown ${product} parameter ${k}`);
    params[map[k]] = String(v);
  }
  return writeProject(product, params, items);
}

// A copy of a dulcamon project with every item changed by fn(item fields).
function withItems(buf, fn) {
  const { product, params, items } = readProject(buf);
  return writeProject(product, params, items.map((it) => { const c = it.slice(); return fn(c) || c; }));
}

module.exports.withParams = withParams;
module.exports.withItems = withItems;
