/* vantrel20.js: draws a Vantrel gliding menu in place of its applet for browsers without Java,
   from the applet's parameters, as the editor's preview draws it. */
(() => {
'use strict';
const SEP = '#$@', FACES = ['TimesRoman,"Times New Roman",serif', 'Helvetica,Arial,sans-serif',
  'Courier,"Courier New",monospace', 'Dialog,sans-serif'];
// Pictures: bare file names beside the page.
let doc = document, uid = 0, PIC = /^[^\/\\:?#%]+\.(gif|jpe?g)$/i;

const fields = (v) => String(v ?? '').split(SEP).slice(0, -1);
const num = (v, d = 0) => { const n = parseInt(v, 10); return isNaN(n) ? d : n; };
const rgb = (h) => [0, 2, 4].map((i) => /^[0-9A-F]{6}$/i.test(h) ? parseInt(h.substr(i, 2), 16) : 0);
const css = (c) => 'rgb(' + c + ')';
const col = (h) => css(rgb(h));
const px = (v) => v + 'px';
const pos = (v) => Math.max(0, v);
const on = (e, type, f, o) => e.addEventListener(type, f, o);
const size = (a) => [num(a.getAttribute('width')), num(a.getAttribute('height'))];
function el(tag, cls = '', parent) { const e = doc.createElement(tag); e.className = cls; parent?.append(e); return e; }
function place(e, l, t, w, h) { Object.assign(e.style, { left: px(l), top: px(t), width: px(pos(w)), height: px(pos(h)) }); }
const media = (q) => window.matchMedia?.(q) ?? { matches: false };
const still = media('(prefers-reduced-motion: reduce)');

// Contrast of two colours as WCAG reckons it.
function luminance(h) {
  const c = rgb(h).map((v) => (v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
  return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
}
const contrast = (a, b) => { const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p); return (x + 0.05) / (y + 0.05); };

// The focus ring: the focus look's text colour, or black or white, whichever stands out best
// against every background the item shows; where none reaches 3:1, black and white together.
// Worked out once for each entry of the style table.
function ring(st) {
  if (st.ring) return st.ring;
  const bgs = [0, 1, 2].flatMap((k) => { const f = st.slice(k * 20, k * 20 + 20); return num(f[15]) > 0 && num(f[15]) < 5 ? [f[13], f[14]] : [f[13]]; });
  const worst = (c) => Math.min(...bgs.map((b) => contrast(c, b)));
  const [best, low] = [st[23], '000000', 'FFFFFF'].filter((c) => /^[0-9A-F]{6}$/i.test(c || '')).map((c) => [c, worst(c)]).sort((a, b) => b[1] - a[1])[0];
  return (st.ring = low >= 3 ? [col(best), col(best)] : ['#000', '#fff']);
}

// Caption font: face by index, size less 6 points, style bit 1 bold, 2 italic.
const font = (face, size, style) => (num(style) & 2 ? 'italic ' : '') + (num(style) & 1 ? 'bold ' : '') +
  px(Math.min(1000, Math.max(1, num(size, 14) - 6)) * 4 / 3) + ' ' + (FACES[num(face, 1)] || 'sans-serif');

// Fills: flat, a ramp one way, or from both edges to the middle.
function fill(e, mode, c1, c2) {
  const a = col(c1), b = col(c2);
  e.style.background = a;
  if (mode > 0 && mode < 5) e.style.backgroundImage = 'linear-gradient(' + (mode < 3 ? 'to right,' : 'to bottom,') + a + ',' + b + (mode % 2 ? ')' : ' 50%,' + a + ')');
}

// A picture: free at (x, y), centred, left, right, tiled or stretched.
function picture(e, name, align, x, y) {
  if (!PIC.test(name || '')) return;
  const s = e.style, under = /gradient/.test(s.backgroundImage) ? ',' + s.backgroundImage : '';
  s.backgroundImage = 'url("' + encodeURI(name) + '")' + under;
  s.backgroundPosition = (align ? ['', 'center', 'left', 'right'][align] || '0 0' : px(x) + ' ' + px(y)) + (under && ',0 0');
  s.backgroundRepeat = (align === 4 ? 'repeat' : 'no-repeat') + (under && ',no-repeat');
  s.backgroundSize = (align === 5 ? '100% 100%' : 'auto') + (under && ',100% 100%');
}

// The five border styles as inset shadows (the first lies on top). Returns the width each
// side paints (top, right, bottom, left).
function border(e, w, style, colour) {
  const c = rgb(colour), sh = [], s = (x, y, k) => sh.push('inset ' + px(x) + ' ' + px(y) + ' ' + css(k));
  const light = c.map((v) => Math.min(255, (v * 3) >> 1)), dark = c.map((v) => ~~(v * 7 / 10));
  w = pos(Math.min(w, 400));
  e.replaceChildren();
  if (style === 1 || style === 2) {
    const a = style === 1 ? light : dark, b = style === 1 ? dark : light;
    if (!w) s(1, 1, b);
    else { s(1, 1, a); s(1 - w, 1 - w, c); s(w, w, c); s(-w, -w, a); s(w + 1, w + 1, b); }
  } else if (style === 3 || style === 4) {
    // Rings nested so corners mitre: ring i ramps i top-left, i + 1 bottom-right.
    const ramp = (base, k) => c.map((v) => base + ~~((v - base) * k / w)), L = style === 3 ? 255 : 0;
    for (let i = w; i--;) {
      s(1, 1, ramp(L, i));
      if (i < w - 1) s(-1, -1, ramp(255 - L, i + 1));
      if (i) Object.assign(el('span', '', e).style, { inset: px(i), boxShadow: sh.splice(0).join(',') });
    }
  }
  // Lines at the right and bottom edge lie outside; the loading bar shows them.
  const k = style < 3 || w ? [, dark, light, rgb(), rgb('FFFFFF')][style] : 0;
  if (k) sh.push('1px 0 ' + css(k), '0 1px ' + css(k) + (style > 2 ? ',1px 1px ' + css(k) : ''));
  e.style.boxShadow = sh.join(',');
  return style === 1 || style === 2 ? (w ? [w + 1, w, w, w + 1] : [1, 0, 0, 1]) : style > 2 && w ? [w, w - 1, w - 1, w] : [0, 0, 0, 0];
}

// Captions wrap as in the preview's wrap box, long words between letters.
let measure;
function wrap(text, width) {
  const avail = Math.max(width, 6) - 6, lines = [], fits = (t) => {
    // No letter of the plain ASCII range is wider than 12 pixels at this size: short captions need
    // no measure (the canvas's first one costs a long moment).
    if (/^[ -~]*$/.test(t) && t.length * 12 <= avail) return true;
    if (!measure) (measure = doc.createElement('canvas').getContext('2d')).font = '11px "MS Sans Serif",sans-serif';
    return measure.measureText(t).width <= avail;
  };
  for (const para of String(text).split(/\r\n|\r|\n/)) {
    // Most captions fit on one line.
    if (fits(para.trimEnd())) { lines.push(para); continue; }
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

// One state's look (20 fields of a style) on an item.
function look(item, st, state) {
  const f = st.slice(state * 20, state * 20 + 20), m = num(f[16]);
  fill(item.el, num(f[15]), f[13], f[14]);
  picture(item.el, f[8], num(f[11]), num(f[9]), num(f[10]));
  const t = item.text.style;
  t.font = font(f[0], f[1], f[2]);
  t.color = col(f[3]);
  t.textAlign = ['left', 'center', 'right'][num(f[4], 1)] || 'center';
  t.justifyContent = ['flex-start', 'center', 'flex-end'][num(f[6], 1)] || 'center';
  place(item.text, m, m, item.w - 2 * m, item.h - 2 * m);
  t.transform = 'translate(' + px(num(f[5])) + ',' + px(num(f[7])) + ')';
  border(item.frame, num(f[16]), num(f[17]), f[18]);
}

// more() reads further parameters into p, a slice at a time, and tells whether any are left.
function build(applet, p, more = () => false) {
  const app = fields(p.app), A = (i) => num(app[i]), yes = (i) => app[i] === '1', [W, H] = size(applet);
  const bw = pos(A(8)), speedOpen = Math.max(1, num(app[15], 8)), speedClose = Math.max(1, num(app[16], 8));
  const styles = [], items = [], box = el('nav', 'vantrel20'), name = applet.getAttribute('name');
  // Ids are unique in the page, even where each menu brings its own copy of this script.
  let id;
  do id = 'vantrel20-' + ++uid; while (doc.getElementById(id));
  for (let k = 0; p['is' + k] != null; k++) styles.push(fields(p['is' + k]));
  box.id = id;
  box.ariaLabel = name || 'Menu';
  if (!name) box.dataset.v20Unnamed = '';
  place(box, 0, 0, W, H);
  fill(box, A(7), app[5], app[6]);
  picture(box, app[0], A(3), A(1), A(2));
  if (app[57] === '2') box.style.cursor = 'pointer';
  // The frame lies under the items and the items are clipped where it paints: the same picture,
  // and nothing lies over the captions' text.
  const band = border(el('div', 'v20-frame', box), bw, A(9), app[10]), view = el('div', 'v20-view', box);
  if (band.some(Boolean)) view.style.clipPath = 'inset(' + band.map(px).join(' ') + ')';

  // The tree from the levels, read a slice at a time so that a long menu is not one long task;
  // an item's text fields are read again when it is made, with its list entry.
  const root = { kids: [], sub: el('ul', '', view), level: -1 }, stack = [root];
  let read = 0;
  function tree(n) {
    for (let k = read, end = read + n; k < end && p['i' + k] != null; k = ++read) {
      const f = fields(p['i' + k]), level = pos(num(f[7]));
      while (stack.at(-1).level >= level) stack.pop();
      const parent = stack.at(-1);
      parent.gid ||= id + '-g' + k;
      const si = styles[num(f[9])] ? num(f[9]) : 0;
      // Every entry has every field from the start: one shape keeps the layout quick.
      const it = { k, f: null, start: f[8] === '1', level, parent, kids: [], si, st: styles[si] || [], gid: '',
        ix: num(f[10]), iy: num(f[11]), w: pos(num(f[12])), h: pos(num(f[13])), open: false, ext: 0, full: 0,
        top: 0, lo: 0, hi: 0, org: 0, shown: false, listed: false, el: null, li: null, sub: null, frame: null, text: null,
        state: 0, at: null, height: null, y: 0, down: null, vis: null, hid: false, shut: false, exp: null };
      parent.kids.push(it);
      items.push(it);
      stack.push(it);
    }
    if (p['i' + read] != null) return false;
    // A group is open when its items start visible.
    for (const it of items) if (it.kids.length) it.ext = (it.open = it.kids[0].start) ? Infinity : 0;
    return true;
  }
  const make = (it) => {
    // Parents are disclosure buttons, items with a link links, others still focusable.
    // Made in list order: the parent's list is there.
    const f = it.f = fields(p['i' + it.k]), tag = it.kids.length ? 'button' : f[1] && f[1].trim() ? 'a' : 'span', e = it.el = proto(it, tag, 0).cloneNode(true);
    (it.li = liProto.cloneNode()).append(e);
    it.parent.sub.append(it.li);
    if (it.kids.length) (it.sub = el('ul', '', it.li)).id = it.gid;
    if (tag === 'button') e.type = 'button';
    if (tag === 'a') { e.href = f[1]; if (f[2]) e.target = f[2]; }
    if (tag === 'span') e.tabIndex = -1;
    it.frame = e.firstChild;
    it.text = e.lastChild;
    it.text.textContent = wrap(f[0], it.w).join('\n');
    // The status text is the tooltip and accessible description.
    if (f[3]) e.title = f[3];
    if (it.kids.length) e.setAttribute('aria-controls', it.sub.id);
    listen(it);
    // Where the last layout put it.
    put(it);
    marks(it);
  };

  let scroll = 0, bar = null, clicked = null, gliding = false, bottom = 0;

  // Items of one style, size and kind look alike in each state: each look is made once, on a
  // model item, and copied.
  const protos = new Map(), liProto = el('li');
  liProto.style.width = px(W);
  function proto(it, tag, state) {
    const key = tag + ',' + it.si + ',' + it.ix + ',' + it.w + ',' + it.h + ',' + state;
    let e = protos.get(key);
    if (!e) {
      e = el(tag, 'v20-item');
      // The frame lies under the caption, so that nothing covers the text.
      const model = { el: e, frame: el('span', 'v20-frame', e), text: el('span', 'v20-text', e), w: it.w, h: it.h };
      if (+app[57] > 0) e.style.cursor = 'pointer';
      look(model, it.st, state);
      place(e, it.ix + bw, 0, it.w, it.h);
      ring(it.st).forEach((c, k) => e.style.setProperty(k ? '--v20-ring2' : '--v20-ring', c));
      protos.set(key, e);
    }
    return e;
  }
  function setState(it, s) {
    s ||= it === clicked ? 2 : 0;
    if (it.state === s) return;
    it.state = s;
    const m = proto(it, it.el.localName, s), e = it.el, frame = m.firstChild.cloneNode(true);
    e.style.cssText = m.style.cssText;
    if (it.y) e.style.top = px(it.y);
    if (!it.vis) e.style.visibility = 'hidden';
    it.text.style.cssText = m.lastChild.style.cssText;
    it.frame.replaceWith(frame);
    it.frame = frame;
  }

  // Shown items stack in list order (IX an indent, IY the gap above); a gliding group pushes down
  // as far as it has opened, and what lies below that is cut. Each list entry is a box around its
  // item and what shows of its group, standing in its parent's list below the entry before: a
  // glide changes the height of the group's entry and the browser moves what follows, and entries
  // out of sight are neither laid out nor painted. Only what changed is written. Items not made
  // yet are only reckoned.
  function put(it) {
    const at = it.lo - it.org, height = it.hi - it.lo, top = it.top - it.lo, vis = it.shown, s = it.li.style;
    if (it.at !== at) s.marginTop = px(it.at = at);
    if (it.height !== height) s.height = px(it.height = height);
    if (it.y !== top) it.el.style.top = px(it.y = top);
    if (it.sub && it.down !== top + it.h) it.sub.style.top = px(it.down = top + it.h);
    if (it.vis !== vis) it.el.style.visibility = (it.vis = vis) ? '' : 'hidden';
  }
  // Hidden list entries and closed groups leave the accessibility tree.
  function marks(it) {
    if (it.hid !== !it.listed) it.li.hidden = it.hid = !it.listed;
    if (!it.sub) return;
    const shut = !(it.listed && it.ext > 0);
    if (it.shut !== shut) it.sub.hidden = it.shut = shut;
    if (it.exp !== it.open) it.el.ariaExpanded = it.exp = it.open;
  }
  // Lays out a list that starts at origin; returns the bottom of what shows. Each entry's box
  // reaches from the highest to the lowest of what shows of it (gaps may be negative).
  function layout(kids, y, clip, shown, origin) {
    for (const it of kids) {
      const top = it.top = y + it.iy;
      it.shown = shown && top < clip;
      it.listed = shown;
      it.org = origin;
      y = top + it.h;
      let lo = top, hi = y;
      if (it.kids.length) {
        const end = y + it.ext;
        it.full = layout(it.kids, y, Math.min(clip, end), shown && it.ext > 0, y) - y;
        if (it.ext > 0) for (const k of it.kids) { lo = Math.min(lo, k.lo); hi = Math.max(hi, Math.min(k.hi, end)); }
        y += pos(Math.min(it.ext, it.full));
      }
      it.lo = lo; it.hi = origin = hi;
      if (it.el) { put(it); marks(it); }
    }
    return y;
  }

  // The list scrolls as one: the items keep their places in it.
  function draw() {
    bottom = layout(root.kids, bw, Infinity, true, 0);
    scrolled();
  }
  // A scroll moves the list alone.
  let moved;
  function scrolled() {
    const page = H - 2 * bw, need = items.length && bottom > H - bw;
    scroll = need ? Math.max(page - bottom, Math.min(0, scroll)) : 0;
    if (moved !== scroll) root.sub.style.transform = 'translateY(' + px(moved = scroll) + ')';
    if (need && !bar) bar = makeBar();
    if (bar) { if (bar.el.hidden === need) bar.el.hidden = !need; if (need) bar.update(bottom, page); }
  }

  // The preview's scroll bar: raised buttons and block, the block sized by the page.
  function makeBar() {
    // On touch screens the buttons are at least 24 pixels each way.
    const vw = media('(pointer: coarse)').matches ? Math.max(26, num(app[56], 20)) : pos(num(app[56], 20)), hh = H - 2 * bw, T = hh - 2 * vw + 2, b = el('div', 'v20-bar', box);
    b.ariaHidden = true;
    place(b, yes(49) ? W - bw - vw : bw + 1, bw, vw, hh);
    b.style.background = col(app[50]);
    let timer;
    const stop = () => clearInterval(timer);
    const hold = (d) => { stop(); scroll -= d; scrolled(); timer = setInterval(() => { scroll -= d; scrolled(); }, 40); };
    [[52, -8, 0, vw - 2], [53, 8, hh - vw + 1, vw - 1]].forEach(([c, d, top, h]) => {
      const btn = el('span', 'v20-btn', b), a = el('span', 'v20-arrow', btn);
      btn.style.background = col(app[c]);
      place(btn, 0, top, vw, h);
      a.style.background = col(app[c + 2]);
      place(a, ~~((vw - 1) / 2) - 3, ~~((h - 1) / 2) - 3, 7, 7);
      if (d > 0) a.style.transform = 'scaleY(-1)';
      on(btn, 'mousedown', (ev) => { ev.preventDefault(); hold(d); });
      if (yes(58)) on(btn, 'mouseenter', () => hold(d));
      on(btn, 'mouseleave', stop); on(btn, 'mouseup', stop);
    });
    const thumb = el('span', 'v20-thumb', b);
    thumb.style.background = col(app[51]);
    let was;
    return { el: b, update: (max, page) => {
      // Shown only past the page: the block fits.
      const at = [pos(~~(-scroll * T / max)) + vw - 2, pos(~~(T * page / max)) + 3];
      if (String(at) !== was) { was = String(at); place(thumb, 0, at[0], vw, at[1]); }
    } };
  }

  function glide() {
    if (gliding) return;
    gliding = true;
    // Groups glide by the stored speed every 20 ms, or jump without glide.
    (function step() {
      // Reduced motion opens and closes at once.
      let busy = false, calm = still.matches;
      for (const it of items) {
        if (!it.kids.length || (it.open ? it.ext === Infinity : !it.ext)) continue;
        const glides = !calm && yes(it.open ? 13 : 14);
        it.ext = Math.min(it.ext, it.full) + (it.open ? (glides ? speedOpen : Infinity) : (glides ? -speedClose : -Infinity));
        if (it.open && it.ext >= it.full) it.ext = Infinity;
        else if (!it.open && it.ext <= 0) it.ext = 0;
        else busy = true;
      }
      if (!busy) gliding = false;
      draw();
      if (busy) setTimeout(step, 20);
    })();
  }

  function toggle(it, open) {
    if (!it.kids.length || it.open === open) return;
    if (open && yes(59)) for (const o of it.parent.kids) o.open = o === it;
    it.open = open;
    it.ext = Math.min(it.ext, it.full || 0);
    // A glide that starts draws its first step at once.
    if (gliding) draw(); else glide();
  }

  // A focused item scrolls into view, top first.
  const reveal = (it) => { scroll = Math.max(Math.min(scroll, H - bw - it.top - it.h), bw - it.top); scrolled(); };

  function listen(it) {
    const e = it.el;
    on(e, 'mouseenter', () => setState(it, 1));
    on(e, 'mouseleave', () => setState(it, 0));
    on(e, 'focus', () => { setState(it, 1); reveal(it); });
    on(e, 'blur', () => setState(it, 0));
    // The last item clicked keeps the clicked look; a parent's link is followed too.
    on(e, 'click', () => {
      const was = clicked;
      clicked = it;
      if (was) setState(was, 0);
      setState(it, 1);
      if (!it.kids.length) return;
      toggle(it, !it.open);
      if (it.f[1]) Object.assign(el('a'), { href: it.f[1], target: it.f[2] || '' }).click();
    });
    // Arrows move through shown items; Right opens or enters a group, Left closes or leaves.
    // Escape closes the open group of its own button, else the group it is in.
    on(e, 'keydown', (ev) => {
      const list = items.filter((i) => i.el && i.shown), at = list.indexOf(it), k = ev.key, up = it.parent !== root && it.parent;
      let to = { ArrowDown: list[at + 1], ArrowUp: list[at - 1], Home: list[0], End: list.at(-1) }[k];
      if (k === 'ArrowRight' && it.kids.length) { if (it.open) to = it.kids[0]; else toggle(it, true); }
      else if (k === 'ArrowLeft' || k === 'Escape' && (up || it.open)) { if (it.open) toggle(it, false); else if (up) { toggle(up, false); to = up; } }
      else if (!to) return;
      ev.preventDefault();
      if (to) setTimeout(() => to.el.focus());
    });
  }
  on(box, 'wheel', (ev) => { if (bar && !bar.el.hidden) { ev.preventDefault(); scroll -= ev.deltaY > 0 ? 20 : -20; scrolled(); } }, { passive: false });
  // A swipe moves the list with the finger; at either end the page scrolls on.
  let touchY = null;
  on(box, 'touchstart', (ev) => { touchY = ev.touches.length === 1 ? ev.touches[0].clientY : null; }, { passive: true });
  on(box, 'touchmove', (ev) => {
    if (touchY === null || !bar || bar.el.hidden) return;
    const y = ev.touches[0].clientY, was = scroll;
    scroll += y - touchY;
    touchY = y;
    scrolled();
    if (scroll !== was && ev.cancelable) ev.preventDefault();
  }, { passive: false });
  on(box, 'touchend', () => { touchY = null; });

  // Loading screen while pictures arrive.
  const names = [...new Set([app[0], ...styles.flatMap((st) => [st[8], st[28], st[48]])])].filter((n) => PIC.test(n || ''));
  if (names.length) {
    const cover = el('div', 'v20-loading', box);
    let left = names.length;
    cover.style.background = col(app[17]);
    // Messages (fields from 28, 38); the bar one third done.
    for (const o of [28, 38]) {
      if (app[o + 9] !== '1') continue;
      const t = el('div', '', cover);
      place(t, A(o), A(o + 1), A(o + 2), 800);
      t.textContent = app[o + 8] || '';
      t.style.color = col(app[o + 7]);
      t.style.font = font(app[o + 4], app[o + 5], app[o + 6]);
    }
    if (yes(27)) {
      const lb = el('div', '', cover);
      place(lb, A(18), A(19), A(20), A(21));
      lb.style.background = 'linear-gradient(to right,' + col(app[26]) + ' 33%,' + col(app[25]) + ' 33%)';
      border(lb, A(22), A(23), app[24]);
    }
    const done = () => { if (--left <= 0) cover.remove(); };
    names.forEach((n) => { const im = new Image(); im.onload = im.onerror = done; im.src = n; });
    setTimeout(() => cover.remove(), 8000);
  }

  // The box takes the applet's place at once and its items follow in the next task, so that the
  // page's own work and ours are not one long task. Laid out before any item is made, items take
  // their places as they are made: what shows in the box at once, the rest a few milliseconds'
  // worth at a time, so that no task runs long and the box can be used meanwhile.
  let next = 0;
  const slice = (ms, first) => {
    const end = performance.now() + ms;
    do make(items[next++]); while (next < items.length && (performance.now() < end || first && items[next].top + scroll < H));
    if (next < items.length) setTimeout(slice, 0, 8);
  };
  const start = () => {
    if (more() || !tree(250)) return setTimeout(start);
    // Laid out, then made, each in a task of its own.
    setTimeout(() => { draw(); if (items.length) setTimeout(slice, 0, 0, true); });
  };
  setTimeout(start);
  applet.replaceWith(box);
  // Menus without a name of their own are numbered once the page holds more than one.
  const unnamed = doc.querySelectorAll('nav.vantrel20[data-v20-unnamed]');
  if (unnamed.length > 1) unnamed.forEach((b, i) => { b.ariaLabel = 'Menu ' + (i + 1); });
}

// A parameters file: key and value lines by turns.
function parseFile(text) {
  var lines = text.split(/\r\n|\r|\n/), p = {};
  for (var i = 0; i + 1 < lines.length; i += 2) p[lines[i]] = lines[i + 1];
  return p;
}

if (!doc.getElementById('vantrel20-style')) {
  const s = el('style', '', doc.head || doc.documentElement);
  s.id = 'vantrel20-style';
  s.textContent = '.vantrel20{position:relative;display:inline-block;overflow:hidden;vertical-align:top}' +
    '.vantrel20,.vantrel20 *{box-sizing:border-box}.vantrel20 ul{list-style:none;margin:0;padding:0}' +
    // A list entry cuts off what lies below it (the items under a glide); out of sight, the browser skips it.
    '.vantrel20 :is(div,span,a,button,li>ul){position:absolute}.vantrel20 ul{display:flow-root}.vantrel20 li{position:relative;contain:paint;content-visibility:auto}.v20-view,.v20-frame,.v20-loading{inset:0}' +
    '.v20-frame{pointer-events:none}.v20-view{overflow:hidden}.v20-view>ul{will-change:transform}' +
    '.v20-item{margin:0;padding:0;border:0;font:inherit;text-decoration:none;overflow:hidden;cursor:default}' +
    '.v20-text{display:flex;flex-direction:column;white-space:pre;line-height:normal}' +
    '.v20-item:focus-visible{outline:0}.v20-item:focus-visible:after{content:"";position:absolute;inset:0;pointer-events:none;' +
    'border:2px solid var(--v20-ring);box-shadow:inset 0 0 0 1px var(--v20-ring2)}' +
    '.v20-btn,.v20-thumb{box-shadow:inset -1px -1px #000,inset 1px 1px #fff}' +
    '.v20-arrow{clip-path:path("M3 0h1v1h1v2h1v2h1v2H0V5h1V3h1V1h1z")}' +
    '.v20-note{padding:4px;font:12px sans-serif;background:#fff;color:#000;overflow:auto;overflow-wrap:anywhere}' +
    '@media (forced-colors:active){.v20-item{border:1px solid CanvasText;forced-color-adjust:auto}' +
    '.v20-btn,.v20-thumb{border:1px solid ButtonText}.v20-arrow{background:ButtonText!important}}';
}
for (const applet of doc.querySelectorAll('applet[code="vantrel20.class"]')) {
  // The box needs all but the items at once; the items' parameters, most of a long menu's, are
  // read with them a slice at a time. Read again in page order, the last of a name still counts.
  const p = {}, all = applet.getElementsByTagName('param');
  let at = 0;
  const more = () => {
    for (const end = at + 250; at < end && at < all.length; at++) p[all[at].getAttribute('name')] = all[at].getAttribute('value');
    return at < all.length;
  };
  for (const e of applet.querySelectorAll('param:not([name^="i"]),param[name^="is"]')) p[e.getAttribute('name')] = e.getAttribute('value');
  if (p.paramsrc == null) { build(applet, p, more); continue; }
  // Where the browser refuses the parameters file, the box says so.
  const failed = () => {
    const note = el('div', 'vantrel20 v20-note');
    place(note, 0, 0, ...size(applet));
    note.textContent = 'This menu reads its settings from "' + p.paramsrc + '", which the browser loads only from a web server.';
    applet.replaceWith(note);
  };
  if (location.protocol === 'file:' || !/^[^\/\\:?#%]+$/.test(p.paramsrc)) failed();
  else fetch(p.paramsrc).then((r) => r.ok ? r.text() : Promise.reject()).then((t) => build(applet, parseFile(t)), failed);
}
})();
