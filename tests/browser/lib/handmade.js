'use strict';
// STOPGAP until the command lines exist: pages built by hand exactly as the page contract says.
const fs = require('node:fs');
const path = require('node:path');
const { readProject } = require('./projects');
const REPO = path.resolve(__dirname, '..', '..', '..');

function q(v, pre = '') { return '"' + pre + v.replace(/["\\]/g, '\\$&').replace(/<\//g, '<\\/') + '"'; }

function dulcamonPage(buf) {
  const { params: m, items } = readProject(buf);
  const c = [q(m[0]), q(m[1]), m[2], m[3], m[4], m[5], m[6], '0', m[8], m[9], m[10], q(m[11]), m[12], m[13], m[14], m[15],
    q(m[16], '#'), m[17], m[18], m[19], m[20], m[21], q(m[22])];
  const L = ['<HTML>', '<body>', '<!-- PLEASE INSERT THESE CODES BETWEEN <BODY> ... </BODY> TAGS! -->',
    "<!-- START Dulcamon 1.0 config parameters. Don't modify these codes by yourself -->",
    "<script type='text/javascript' src='dulcamon10.js'></script>", "<script type='text/javascript'>",
    'var qelVORPin=new qelvorpin();', `${m[0]}=new TJSMenuType2(${c.join(',')});`];
  for (const i of items) {
    const a = [q(i[0]), q(i[1]), q(i[2]), q(i[3]), q(i[4]), i[5], i[6], q(i[7]), q(i[8]), q(i[9], '#'), q(i[10], '#'),
      q(i[11], '#'), q(i[12], '#'), q(i[13])];
    L.push(`${m[0]}.qeLvorpiN(${a.join(',')});`);
  }
  L.push(`${m[0]}.qeLvORpin();`, '</script>', '<noscript>Your browser does not support Javascript!</noscript>',
    '<!-- END Dulcamon 1.0 config parameters -->', '<!-- PLEASE INSERT THESE CODES BETWEEN <BODY> ... </BODY> TAGS! -->',
    '</body>', '</HTML>');
  return L.join('\r\n') + '\r\n';
}

function kestravoPage(buf) {
  const { params: p, items } = readProject(buf);
  const css = [
    `.brevanekstrv{font-size:${p[3]}px;font-family:${p[2]};color:#${p[6]};background-color:#${p[7]};font-weight:${p[4] === '1' ? 'bold' : 'normal'};font-style:${p[5] === '1' ? 'italic' : 'normal'};}`,
    `.brevanekstrvinitmsg{color:#${p[8]};background-color:#${p[9]};}`,
    `.brevanekstrvmain{color:#${p[10]};background-color:#${p[11]};}`,
    `.brevanekstrvsub1{color:#${p[12]};background-color:#${p[13]};}`,
    `.brevanekstrvsub2{color:#${p[14]};background-color:#${p[15]};}`].join('\r\n') + '\r\n';
  let alt = false;
  const opts = items.map((it) => {
    const lv = +it[3];
    let cls;
    if (lv === 0) { cls = 'brevanekstrvmain'; alt = true; } else { cls = alt ? 'brevanekstrvsub1' : 'brevanekstrvsub2'; alt = !alt; }
    return `<OPTION class=${cls} value="${it[1]}" target="${it[2]}">${'&nbsp;&nbsp;&nbsp;&nbsp;'.repeat(lv)}${it[0]}</OPTION>`;
  }).join('');
  const head = items.length ? ['<!-- Kestravo 1.0 -->', '<!-- (c) -->', '<!-- BEGIN (PART 1 of 2) -->',
    '<!-- NOTE: PLEASE INSERT CODES INTO <HEAD> SECTION OF WEB PAGES -->', '<LINK href="brevanekvrst.css" type=text/css rel=stylesheet>',
    '<SCRIPT type="text/javascript" src="brevanekvrst.js"></SCRIPT>', '<!-- END (PART 1 of 2) -->'] : [];
  const body = items.length ? ['<!-- Kestravo 1.0 -->', '<!-- (c) -->', '<!-- BEGIN (PART 2 of 2) -->',
    '<!-- NOTE: PLEASE INSERT CODES INTO <BODY> SECTION WHERE YOU WANT THE MENU DISPLAY -->', '<FORM name="brevanekstrvform">',
    `<SELECT name=brevanekstrvselect class=brevanekstrv style="width:${p[0]}px" onChange="onSelectedItemChanged(document.brevanekstrvform.brevanekstrvselect)"><OPTION class=brevanekstrvinitmsg value=0 selected>${p[1]}</OPTION>${opts}</SELECT>`,
    '</FORM>       ', '<!-- END (PART 2 of 2) -->'] : [];
  const L = ['<HTML>', '<HEAD>', '<TITLE>Preview</TITLE>', '', '', ...head, '', '', '</HEAD>', '', '', '<BODY>', '', '', ...body,
    '<!-- CODES END -->', '', '', '<BR>'.repeat(48), '', '', '</BODY>', '</HTML>'];
  return { page: L.join('\r\n') + '\r\n', css };
}

function publish(product, buf, out, name) {
  if (product === 'dulcamon') {
    fs.writeFileSync(path.join(out, name + '.html'), dulcamonPage(buf), 'latin1');
    fs.copyFileSync(path.join(REPO, 'dulcamon/share/dulcamon10.js'), path.join(out, 'dulcamon10.js'));
  } else {
    const { page, css } = kestravoPage(buf);
    fs.writeFileSync(path.join(out, name + '.html'), page, 'latin1');
    fs.writeFileSync(path.join(out, 'brevanekvrst.css'), css, 'latin1');
    fs.copyFileSync(path.join(REPO, 'kestravo/share/brevanekvrst.js'), path.join(out, 'brevanekvrst.js'));
  }
}
module.exports = { publish };
