'use strict';
// The two applet programs' pages with their script runtimes: publishing project text, and editing
// the fields of vantrel's tagged projects and osmerin's line-per-field projects.
const fs = require('node:fs');
const path = require('node:path');
const { REPO, EXT, freshDir, writeStubPages, run } = require('./programs');

const SEP = '#$@';
const share = (product, ...p) => path.join(REPO, product, 'share', ...p);
const templates = (product) => fs.readdirSync(share(product, 'templates')).filter((f) => f.endsWith(EXT[product])).sort();

// Publishes project text with the runtime on, beside copies of the templates' pictures and texts.
function publishWithRuntime(product, text, name) {
  const dir = freshDir(`${product}-${name}`);
  const src = path.join(dir, 'src');
  const out = path.join(dir, 'site');
  fs.mkdirSync(src);
  for (const f of fs.readdirSync(share(product, 'templates'))) {
    if (!f.endsWith(EXT[product])) fs.copyFileSync(share(product, 'templates', f), path.join(src, f));
  }
  const file = path.join(src, name + EXT[product]);
  fs.writeFileSync(file, text);
  run(product, ['--script-runtime', '--publish', file, '--to', out], dir);
  writeStubPages(out, ['index.html', 'news.html', 'about.html', 'gallery.html']);
  const page = path.join(out, name + '.html');
  return { dir: out, page, project: file, html: fs.readFileSync(page, 'latin1'), url: 'file://' + page };
}

// The parameters a page hands its applet, as the browser decodes them.
function params(html) {
  const p = {};
  for (const m of html.matchAll(/<param name="([^"]*)" value="([^"]*)">/g)) p[m[1]] = m[2].replace(/&quot;/g, '"');
  return p;
}
const packed = (v) => v.split(SEP).slice(0, -1);

// A vantrel project with some applet fields and item fields replaced.
function editVantrel(text, { app = {}, item = () => ({}) } = {}) {
  const lines = text.split('\r\n');
  const a = lines.indexOf('<Applet_Parameters>') + 1;
  const f = packed(lines[a]);
  for (const [k, v] of Object.entries(app)) f[k] = v;
  lines[a] = f.join(SEP) + SEP;
  for (let i = lines.indexOf('<Item_Parameters>') + 1, n = 0; lines[i] !== '</Item_Parameters>'; i++, n++) {
    const it = packed(lines[i]);
    for (const [k, v] of Object.entries(item(n, it))) it[k] = v;
    lines[i] = it.join(SEP) + SEP;
  }
  return lines.join('\r\n');
}

// An osmerin project with some applet lines and item lines replaced.
function editOsmerin(text, { app = {}, item = () => ({}) } = {}) {
  const lines = text.split('\r\n');
  const a = lines.indexOf('--------------- Applet Parameter Description Start ---------------') + 1;
  for (const [k, v] of Object.entries(app)) lines[a + +k] = v;
  const s = lines.indexOf('--------------- Item Parameter Description Start ---------------') + 1;
  for (let n = 0; n < +lines[s]; n++) {
    const at = s + 1 + n * 19;
    for (const [k, v] of Object.entries(item(n, lines.slice(at, at + 19)))) lines[at + +k] = v;
  }
  return lines.join('\r\n');
}

module.exports = { SEP, share, templates, publishWithRuntime, params, packed, editVantrel, editOsmerin };
