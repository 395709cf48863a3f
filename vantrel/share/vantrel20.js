/* vantrel20.js: draws a Vantrel gliding menu in place of its applet, for browsers without Java,
   from the applet's own parameters, laid out and drawn as the editor's preview draws it. */
(() => {
'use strict';
var SEP = '#$@', FACES = ['TimesRoman,"Times New Roman",serif', 'Helvetica,Arial,sans-serif',
  'Courier,"Courier New",monospace', 'Dialog,sans-serif'];
// Pictures are bare file names beside the page.
var doc = document, uid = 0, PIC = /^[^\/\\:?#%]+\.(gif|jpe?g)$/i;

const fields = (v) => String(v == null ? '' : v).split(SEP).slice(0, -1);
const num = (v, d) => { const n = parseInt(v, 10); return isNaN(n) ? (d || 0) : n; };
const rgb = (h) => [0, 2, 4].map((i) => /^[0-9A-F]{6}$/i.test(h) ? parseInt(h.substr(i, 2), 16) : 0);
const css = (c) => 'rgb(' + c + ')';
const col = (h) => css(rgb(h));
const px = (v) => v + 'px';
const on = (e, type, f, o) => e.addEventListener(type, f, o);
function el(tag, cls, parent) { const e = doc.createElement(tag); e.className = cls || ''; if (parent) parent.appendChild(e); return e; }
function place(e, l, t, w, h) { Object.assign(e.style, { left: px(l), top: px(t), width: px(Math.max(0, w)), height: px(Math.max(0, h)) }); }

// The caption font: face by index, the stored size less 6 points, style bit 1 bold, bit 2 italic.
const font = (face, size, style) => (num(style) & 2 ? 'italic ' : '') + (num(style) & 1 ? 'bold ' : '') +
  px(Math.min(1000, Math.max(1, num(size, 14) - 6)) * 4 / 3) + ' ' + (FACES[num(face, 1)] || 'sans-serif');

// Fills as the preview draws them: flat, a ramp one way, or a ramp from both edges to the middle.
function fill(e, mode, c1, c2) {
  const a = col(c1), b = col(c2);
  e.style.background = a;
  if (mode > 0 && mode < 5) e.style.backgroundImage = 'linear-gradient(' + (mode < 3 ? 'to right,' : 'to bottom,') + a + ',' + b + (mode % 2 ? ')' : ' 50%,' + a + ')');
}

// A picture by alignment: free at (x, y) of the box, centred, left, right, tiled or stretched.
function picture(e, name, align, x, y) {
  if (!PIC.test(name || '')) return;
  const s = e.style, under = s.backgroundImage ? ',' + s.backgroundImage : '';
  s.backgroundImage = 'url("' + encodeURI(name).replace(/"/g, '%22') + '")' + under;
  s.backgroundPosition = (align ? ['', 'center', 'left', 'right'][align] || '0 0' : px(x) + ' ' + px(y)) + (under && ',0 0');
  s.backgroundRepeat = (align === 4 ? 'repeat' : 'no-repeat') + (under && ',no-repeat');
  s.backgroundSize = (align === 5 ? '100% 100%' : 'auto') + (under && ',100% 100%');
}

// The five border styles, drawn with inset shadows over the box: the first shadow lies on top.
function border(e, w, style, colour) {
  const c = rgb(colour), sh = [], s = (x, y, k) => sh.push('inset ' + px(x) + ' ' + px(y) + ' 0 0 ' + css(k));
  const light = c.map((v) => Math.min(255, (v * 3) >> 1)), dark = c.map((v) => Math.floor(v * 7 / 10));
  w = Math.max(0, Math.min(w, 400));
  if (style === 1 || style === 2) {
    const a = style === 1 ? light : dark, b = style === 1 ? dark : light;
    if (w === 0) s(1, 1, b);
    else { s(1, 1, a); s(1 - w, 1 - w, c); s(w, w, c); s(-w, -w, a); s(w + 1, w + 1, b); }
  } else if (style === 3 || style === 4) {
    const ramp = (base, k) => c.map((v) => base + Math.trunc((v - base) * k / w));
    for (let i = 1; i < w; i++) s(-i, -i, ramp(style === 3 ? 0 : 255, i));
    for (let i = 0; i < w; i++) s(i + 1, i + 1, ramp(style === 3 ? 255 : 0, i));
  }
  e.style.boxShadow = sh.join(',');
}

// Captions break at the width and font of the preview's wrap box, not at the caption's own font.
// Words that do not fit move to the next line; a word longer than a line breaks between letters.
let measure;
function wrap(text, width) {
  measure = measure || doc.createElement('canvas').getContext('2d');
  measure.font = '11px "MS Sans Serif",sans-serif';
  const avail = Math.max(width, 6) - 6, fits = (t) => measure.measureText(t).width <= avail, lines = [];
  for (const para of String(text).split(/\r\n|\r|\n/)) {
    let line = '';
    for (let chunk of para.match(/[^ ]+ *| +/g) || ['']) {
      if (fits(line + chunk.trimEnd()) || !line && !chunk.trim()) { line += chunk; continue; }
      if (line) lines.push(line);
      while (!fits(chunk.trimEnd()) && chunk.trimEnd().length > 1) {
        let n = 1;
        while (fits(chunk.slice(0, n + 1))) n++;
        lines.push(chunk.slice(0, n)); chunk = chunk.slice(n);
      }
      line = chunk;
    }
    lines.push(line);
  }
  return lines;
}

// One state's look (20 fields from offset b of a style entry) applied to an item element.
function look(item, st, state) {
  var f = st.slice(state * 20, state * 20 + 20), e = item.el, w = item.w, h = item.h, m = num(f[16]);
  fill(e, num(f[15]), f[13], f[14]);
  picture(e, f[8], num(f[11]), num(f[9]), num(f[10]));
  const t = item.text.style;
  t.font = font(f[0], f[1], f[2]);
  t.color = col(f[3]);
  t.textAlign = ['left', 'center', 'right'][num(f[4], 1)] || 'center';
  t.justifyContent = ['flex-start', 'center', 'flex-end'][num(f[6], 1)] || 'center';
  place(item.text, m, m, w - 2 * m, h - 2 * m);
  t.transform = 'translate(' + px(num(f[5])) + ',' + px(num(f[7])) + ')';
  border(item.frame, num(f[16]), num(f[17]), f[18]);
}

function build(applet, p) {
  const app = fields(p.app), W = num(applet.getAttribute('width')), H = num(applet.getAttribute('height'));
  const bw = Math.max(0, num(app[8])), speedOpen = Math.max(1, num(app[15], 8)), speedClose = Math.max(1, num(app[16], 8));
  const styles = [], items = [], id = 'vantrel20-' + ++uid, box = el('nav', 'vantrel20');
  for (let k = 0; p['is' + k] != null; k++) styles.push(fields(p['is' + k]));
  box.setAttribute('aria-label', 'Menu');
  place(box, 0, 0, W, H);
  fill(box, num(app[7]), app[5], app[6]);
  picture(box, app[0], num(app[3]), num(app[1]), num(app[2]));
  if (app[57] === '2') box.style.cursor = 'pointer';
  const view = el('div', 'v20-view', box);
  border(el('div', 'v20-frame', box), bw, num(app[9]), app[10]);

  // The tree from the levels, in list order.
  const root = { kids: [], sub: el('ul', '', view), level: -1 }, stack = [root];
  for (let k = 0; p['i' + k] != null; k++) {
    const f = fields(p['i' + k]), level = Math.max(0, num(f[7]));
    while (stack[stack.length - 1].level >= level) stack.pop();
    const parent = stack[stack.length - 1];
    if (!parent.sub) (parent.sub = el('ul', '', parent.li)).id = id + '-g' + k;
    const it = { f, level, parent, kids: [], st: styles[num(f[9])] || styles[0] || [], li: el('li', '', parent.sub),
      ix: num(f[10]), iy: num(f[11]), w: Math.max(0, num(f[12])), h: Math.max(0, num(f[13])) };
    parent.kids.push(it);
    items.push(it);
    stack.push(it);
  }
  items.forEach((it) => {
    // A parent is a disclosure button, an item with a link a link; any other can still take focus.
    const f = it.f, tag = it.kids.length ? 'button' : f[1] && f[1].trim() ? 'a' : 'span', e = it.el = el(tag, 'v20-item');
    it.li.prepend(e);
    if (tag === 'button') e.type = 'button';
    if (tag === 'a') { e.href = f[1]; if (f[2]) e.target = f[2]; }
    if (tag === 'span') e.tabIndex = -1;
    it.text = el('span', 'v20-text', it.el);
    it.text.textContent = wrap(f[0], it.w).join('\n');
    it.frame = el('span', 'v20-frame', it.el);
    // The description, which the applet showed in the status bar, is the item's tooltip and
    // so its accessible description.
    if (f[3]) e.title = f[3];
    if (app[57] === '1' || app[57] === '2') it.el.style.cursor = 'pointer';
    if (it.kids.length) {
      it.el.setAttribute('aria-controls', it.sub.id);
      // A group starts open when its items start visible.
      it.open = it.kids[0].f[8] === '1';
      it.ext = it.open ? Infinity : 0;
    }
    look(it, it.st, 0);
  });

  let scroll = 0, bar = null, clicked = null, gliding = false;

  // Stacks the shown items top to bottom: IX indents, IY is the gap above; a gliding group
  // shows as much of itself as has glided open and pushes the items below it by as much.
  function layout(kids, y, clip, shown) {
    kids.forEach((it) => {
      var top = y + it.iy;
      it.top = top;
      var vis = shown && top < clip;
      place(it.el, it.ix + bw, top + scroll, it.w, it.h);
      it.el.style.clipPath = vis && top + it.h > clip ? 'inset(0 0 ' + px(top + it.h - clip) + ' 0)' : '';
      it.el.style.visibility = vis ? '' : 'hidden';
      it.li.hidden = !shown;
      y = top + it.h;
      if (it.kids.length) {
        var start = y, end = layout(it.kids, y, Math.min(clip, start + it.ext), shown && it.ext > 0);
        it.full = end - start;
        y = start + Math.max(0, Math.min(it.ext, it.full));
        it.el.setAttribute('aria-expanded', String(it.open));
      }
    });
    return y;
  }

  function draw() {
    var bottom = layout(root.kids, bw, Infinity, true), page = H - 2 * bw;
    var need = items.length && bottom > H - bw;
    if (!need) scroll = 0;
    else scroll = Math.max(-(bottom - page), Math.min(0, scroll));
    layout(root.kids, bw, Infinity, true);
    if (need && !bar) bar = makeBar();
    if (bar) { bar.el.hidden = !need; if (need) bar.update(bottom, page); }
  }

  // The coloured scroll bar of the preview: two buttons and a block in a track.
  function makeBar() {
    var vw = Math.max(0, num(app[56], 20)), left = app[49] === '1' ? W - bw - vw : bw + 1, hh = H - 2 * bw;
    const b = el('div', 'v20-bar', box), thumb = el('span', 'v20-thumb', b);
    b.setAttribute('aria-hidden', 'true');
    place(b, left, bw, vw, hh);
    b.style.background = col(app[50]);
    thumb.style.background = col(app[51]);
    let timer = null;
    const stop = () => clearInterval(timer);
    const hold = (d) => { stop(); scroll -= d; draw(); timer = setInterval(() => { scroll -= d; draw(); }, 40); };
    // Each button: its face, its arrow, the way it scrolls, its place.
    [['\u25B2', 52, -8, 0], ['\u25BC', 53, 8, hh - vw]].forEach(([arrow, c, d, top]) => {
      const btn = el('span', 'v20-btn', b);
      btn.textContent = arrow;
      Object.assign(btn.style, { background: col(app[c]), color: col(app[c + 2]) });
      place(btn, 0, top, vw, vw);
      on(btn, 'mousedown', (ev) => { ev.preventDefault(); hold(d); });
      if (app[58] === '1') on(btn, 'mouseenter', () => hold(d));
      on(btn, 'mouseleave', stop);
      on(btn, 'mouseup', stop);
    });
    return { el: b, update: (max, page) => {
      var track = Math.max(0, hh - 2 * vw), th = Math.max(6, Math.round(track * page / max));
      place(thumb, 0, vw + Math.round((track - th) * -scroll / Math.max(1, max - page)), vw, Math.min(th, track));
    } };
  }

  function glide() {
    if (gliding) return;
    gliding = true;
    // Groups glide by the stored speed every 20 ms, or open and close at once without glide.
    (function step() {
      let busy = false;
      for (const it of items) {
        if (!it.kids.length || (it.open ? it.ext === Infinity : !it.ext)) continue;
        it.ext = Math.min(it.ext, it.full) + (it.open ? (app[13] === '1' ? speedOpen : Infinity) : (app[14] === '1' ? -speedClose : -Infinity));
        if (it.open && it.ext >= it.full) it.ext = Infinity;
        else if (!it.open && it.ext <= 0) it.ext = 0;
        else busy = true;
      }
      draw();
      if (busy) setTimeout(step, 20); else gliding = false;
    })();
  }

  function toggle(it, open) {
    if (!it.kids.length || it.open === open) return;
    if (open && app[59] === '1') it.parent.kids.forEach((o) => { if (o !== it && o.open) o.open = false; });
    it.open = open;
    it.ext = Math.min(it.ext, it.full || 0);
    draw();
    glide();
  }

  const setState = (it, s) => look(it, it.st, s || (it === clicked ? 2 : 0));
  const shownItems = () => items.filter((it) => it.el.style.visibility !== 'hidden' && !it.li.hidden);
  function reveal(it) {
    var page = H - 2 * bw;
    if (it.top + scroll < bw) scroll = bw - it.top;
    else if (it.top + it.h + scroll > bw + page) scroll = bw + page - it.top - it.h;
    draw();
  }

  items.forEach((it) => {
    const e = it.el;
    on(e, 'mouseenter', () => setState(it, 1));
    on(e, 'mouseleave', () => setState(it, 0));
    on(e, 'focus', () => { setState(it, 1); reveal(it); });
    on(e, 'blur', () => setState(it, 0));
    on(e, 'click', () => {
      var was = clicked; clicked = it;
      if (was && was !== it) setState(was, 0);
      setState(it, 1);
      if (it.kids.length) {
        toggle(it, !it.open);
        if (it.f[1]) { var a = el('a'); a.href = it.f[1]; if (it.f[2]) a.target = it.f[2]; a.click(); }
      }
    });
    on(e, 'keydown', (ev) => {
      var list = shownItems(), at = list.indexOf(it), to = null;
      if (ev.key === 'ArrowDown') to = list[at + 1];
      else if (ev.key === 'ArrowUp') to = list[at - 1];
      else if (ev.key === 'Home') to = list[0];
      else if (ev.key === 'End') to = list[list.length - 1];
      else if (ev.key === 'ArrowRight' && it.kids.length) { if (!it.open) toggle(it, true); else to = it.kids[0]; }
      else if (ev.key === 'ArrowLeft') { if (it.open) toggle(it, false); else if (it.parent.f) to = it.parent; }
      else if (ev.key === 'Escape' && it.parent.f) { toggle(it.parent, false); to = it.parent; }
      else return;
      ev.preventDefault();
      if (to) setTimeout(() => to.el.focus());
    });
  });
  on(box, 'wheel', (ev) => { if (bar && !bar.el.hidden) { ev.preventDefault(); scroll -= ev.deltaY > 0 ? 20 : -20; draw(); } }, { passive: false });

  // The loading screen while the pictures arrive.
  const names = [...new Set([app[0], ...styles.flatMap((st) => [st[8], st[28], st[48]])])].filter((n) => PIC.test(n || ''));
  if (names.length) {
    var cover = el('div', 'v20-loading', box), left = names.length;
    place(cover, 0, 0, W, H);
    cover.style.background = col(app[17]);
    // The two messages (fields from 28 and from 38) and the bar, one third done.
    for (const o of [28, 38]) {
      if (app[o + 9] !== '1') continue;
      const t = el('div', '', cover);
      place(t, num(app[o]), num(app[o + 1]), num(app[o + 2]), 800);
      t.textContent = app[o + 8] || '';
      t.style.color = col(app[o + 7]);
      t.style.font = font(app[o + 4], app[o + 5], app[o + 6]);
    }
    if (app[27] === '1') {
      const lb = el('div', '', cover);
      place(lb, num(app[18]), num(app[19]), num(app[20]), num(app[21]));
      lb.style.background = 'linear-gradient(to right,' + col(app[26]) + ' 33%,' + col(app[25]) + ' 33%)';
      border(lb, num(app[22]), num(app[23]), app[24]);
    }
    var done = () => { if (--left <= 0 && cover.parentNode) box.removeChild(cover); };
    names.forEach((n) => { const im = new Image(); im.onload = im.onerror = done; im.src = n; });
    setTimeout(() => { left = 0; done(); }, 8000);
  }

  applet.parentNode.replaceChild(box, applet);
  draw();
}


// The parameters file: key lines and value lines by turns.
function parseFile(text) {
  var lines = text.split(/\r\n|\r|\n/), p = {};
  for (var i = 0; i + 1 < lines.length; i += 2) p[lines[i]] = lines[i + 1];
  return p;
}

function say(applet, text) {
  var box = el('div', 'vantrel20 v20-note');
  box.style.width = px(num(applet.getAttribute('width'))); box.style.height = px(num(applet.getAttribute('height')));
  box.textContent = text;
  applet.parentNode.replaceChild(box, applet);
}

function start() {
  if (!doc.getElementById('vantrel20-style')) {
    var s = el('style', '', doc.head || doc.documentElement); s.id = 'vantrel20-style';
    s.textContent = '.vantrel20{position:relative;display:inline-block;overflow:hidden;vertical-align:top;box-sizing:border-box}' +
      '.vantrel20 *{box-sizing:border-box}.vantrel20 ul{list-style:none;margin:0;padding:0}' +
      '.v20-view{inset:0}.v20-view,.v20-frame,.v20-item,.v20-text,.v20-bar,.v20-bar span,.v20-loading,.v20-loading div{position:absolute}' +
      '.v20-frame{pointer-events:none;inset:0}.v20-view{overflow:hidden}' +
      '.v20-item{display:block;margin:0;padding:0;border:0;font:inherit;text-decoration:none;overflow:hidden;cursor:default}' +
      '.v20-text{display:flex;flex-direction:column;white-space:pre;line-height:normal}' +
      '.v20-item:focus-visible{outline:2px solid;outline-offset:-2px}' +
      '.v20-btn{display:flex;align-items:center;justify-content:center;font:9px sans-serif;cursor:default}' +
      '.v20-note{padding:4px;font:12px sans-serif;background:#fff;color:#000;border:1px solid #888}' +
      '@media (forced-colors:active){.v20-item{border:1px solid CanvasText;forced-color-adjust:auto}.v20-frame{box-shadow:none!important}' +
      '.v20-bar span{border:1px solid ButtonText}}';
  }
  for (const applet of doc.querySelectorAll('applet[code="vantrel20.class"]')) {
    const p = {};
    for (const e of applet.getElementsByTagName('param')) p[e.getAttribute('name')] = e.getAttribute('value');
    if (p.paramsrc == null) { build(applet, p); continue; }
    const failed = () => say(applet, 'This menu reads its settings from "' + p.paramsrc +
      '", which the browser loads only when the page comes from a web server.');
    if (location.protocol === 'file:') failed();
    else fetch(p.paramsrc).then((r) => r.ok ? r.text() : Promise.reject()).then((t) => build(applet, parseFile(t)), failed);
  }
}
start();
})();
