/* osmeral.js: runs an Osmerin news box in place of its applet, for browsers without Java.
   It reads the applet's own parameters and slides the items as the applet would. */
(() => {
  'use strict';
  var doc = document, FACES = ['TimesRoman,"Times New Roman",serif', 'Helvetica,Arial,sans-serif', 'Courier,"Courier New",monospace'];
  var LINE = '*#$@%', uid = 0, TICK = 30;
  var still = window.matchMedia && matchMedia('(prefers-reduced-motion: reduce)');

  function num(v, d) { var n = parseInt(v, 10); return isNaN(n) ? (d || 0) : n; }
  function rgb(h) { h = /^[0-9A-Fa-f]{6}$/.test(h) ? h : '000000'; return [0, 2, 4].map((i) => parseInt(h.substr(i, 2), 16)); }
  function css(c) { return 'rgb(' + c.join(',') + ')'; }
  function col(h) { return css(rgb(h)); }
  function el(tag, cls, parent) { var e = doc.createElement(tag); if (cls) e.className = cls; if (parent) parent.appendChild(e); return e; }
  function px(v) { return v + 'px'; }
  function place(e, l, t, w, h) { var s = e.style; s.left = px(l); s.top = px(t); s.width = px(Math.max(0, w)); s.height = px(Math.max(0, h)); }
  function bare(n) { return /^[^\/\\:?#]+$/.test(n || '') && n !== '.' && n !== '..'; }
  // Black or white, whichever stands out more against a colour: a focus ring drawn in it keeps
  // at least 4.5:1 on any background.
  function ink(h) {
    var l = rgb(h).map((v) => { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); });
    return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2] > 0.179 ? '#000' : '#fff';
  }
  // Text files come from any editor: valid UTF-8 is read as such, anything else as Windows-1252.
  function decode(bytes) {
    try { return new TextDecoder('utf-8', { fatal: true }).decode(bytes); } catch (e) { return new TextDecoder('windows-1252').decode(bytes); }
  }

  // Values end with "|"; a "|" inside the last free-text value stays part of it.
  function values(v, count, textAt) {
    var f = String(v == null ? '' : v).split('|');
    if (f[f.length - 1] === '') f.pop();
    if (f.length > count) f.splice(textAt, f.length - count + 1, f.slice(textAt, textAt + f.length - count + 1).join('|'));
    return f;
  }

  // Lines of an item's text: a trailing separator adds no empty line.
  function lines(text) { var l = String(text || '').split(LINE); if (l[l.length - 1] === '') l.pop(); return l; }

  // The frame painter of the editor's preview, drawn with inset shadows (the first lies on top).
  function frame(e, w, style, colour) {
    var c = rgb(colour), sh = [], i, r, lt = c.map((v) => Math.min(255, (v * 3) >> 1)), dk = c.map((v) => Math.floor(v * 7 / 10));
    w = Math.max(0, Math.min(w, 400));
    function s(x, y, k) { sh.push('inset ' + px(x) + ' ' + px(y) + ' 0 0 ' + css(k)); }
    if (style === 1 || style === 2) {
      var a = style === 1 ? lt : dk, b = style === 1 ? dk : lt;
      if (w === 0) s(1, 1, b);
      else { s(1, 1, a); s(1 - w, 1 - w, c); s(w, w, c); s(-w, -w, a); s(w + 1, w + 1, b); }
    } else if (style === 3 || style === 4) {
      // A bevel is w rings, one inside the other, so that its corners mitre as the preview's lines
      // do: ring k has the top and left colour k and the right and bottom colour k + 1.
      var ramp = (base, k) => css(c.map((v) => base + Math.trunc((v - base) * k / w)));
      for (i = 0, r = e; i < w; i++) {
        if (i) r = el('span', 'os-ring', r);
        r.style.boxShadow = 'inset 1px 1px ' + ramp(style === 3 ? 255 : 0, i) + (i < w - 1 ? ',inset -1px -1px ' + ramp(style === 3 ? 0 : 255, i + 1) : '');
      }
      return;
    }
    e.style.boxShadow = sh.join(',');
  }

  // A scroll button as the preview paints it: a raised edge, its face and an arrow head with its
  // corners at whole pixels of the face inside the edge, pointing up, down, left or right.
  function button(box, x, y, w, h, face, arrow, dir, label) {
    var b = el('button', 'os-btn', box), a;
    b.type = 'button';
    b.style.setProperty('--os-ring', ink(face));
    b.setAttribute('aria-label', label);
    place(b, x, y, w, h);
    b.style.background = col(face);
    a = el('span', 'os-arrow', b);
    a.style.color = col(arrow);
    a.style.boxShadow = arrowPixels(w - 2, h - 2, dir);
    return b;
  }

  // The arrow's pixels: those of its three edges, stepped along their longer side and rounded
  // down as the preview's pen rounds them, and on each row every pixel between them; each
  // becomes a one-pixel shadow of a dot just above the button.
  function arrowPixels(w, h, dir) {
    var q = (n, d) => Math.trunc(n / d), rows = {}, sh = [], i, e, x, y;
    var c = [[q(w, 2), q(h, 3), q(w, 4), q(2 * h, 3), q(3 * w, 4), q(2 * h, 3)], [q(w, 2), q(2 * h, 3), q(w, 4), q(h, 3), q(3 * w, 4), q(h, 3)],
      [q(w, 3), q(h, 2), q(2 * w, 3), q(h, 4), q(2 * w, 3), q(3 * h, 4)], [q(2 * w, 3), q(h, 2), q(w, 3), q(3 * h, 4), q(w, 3), q(h, 4)]][dir];
    for (e = 0; e < 6; e += 2) {
      var x0 = c[e], y0 = c[e + 1], dx = c[(e + 2) % 6] - x0, dy = c[(e + 3) % 6] - y0, n = Math.max(Math.abs(dx), Math.abs(dy), 1);
      for (i = 0; i <= n; i++) {
        x = x0 + Math.floor(dx * i / n); y = y0 + Math.floor(dy * i / n);
        rows[y] = rows[y] ? [Math.min(rows[y][0], x), Math.max(rows[y][1], x)] : [x, x];
      }
    }
    for (y in rows) for (x = rows[y][0]; x <= rows[y][1]; x++) sh.push(px(x + 2) + ' ' + px(+y + 2));
    return sh.join(',');
  }

  function build(applet, p) {
    var W = num(applet.getAttribute('width')), H = num(applet.getAttribute('height'));
    var app = values(p.app, 25, 22), b = Math.max(0, num(app[17])), dir = num(app[4]);
    var vertical = dir !== 2 && dir !== 3, sign = dir === 1 || dir === 3 ? -1 : 1;
    var speed = Math.max(0, num(app[2], 1)), delay = Math.max(0, num(app[3])), id, name = applet.getAttribute('name');
    // Ids are unique in the page, even where each box brings its own copy of this script.
    do id = 'osmeral-' + (++uid); while (doc.getElementById(id));
    var box = el('div', 'osmeral');
    box.id = id;
    box.setAttribute('role', 'region');
    box.setAttribute('aria-label', name || 'News');
    if (!name) box.setAttribute('data-os-unnamed', '');
    box.style.setProperty('--os-ring', ink(app[1]));
    box.style.width = px(W); box.style.height = px(H);
    box.style.background = col(app[1]);
    if (app[24] === '2') box.style.cursor = 'pointer';
    var vx = b + 1, vy = b + 1, vw = W - 2 * b - 1, vh = H - 2 * b - 1, size = vertical ? vh : vw;
    // The frame lies under the items (it only paints the edge they leave free), so nothing covers their text.
    var fr = el('div', 'os-frame', box), view = el('div', 'os-view', box), notes = el('div', 'os-notes', box);
    // The items ride on one track, so a slide moves one element; only the items in view are shown.
    var track = el('div', 'os-track', view);
    place(view, vx, vy, vw, vh);
    place(fr, 0, 0, W, H);
    frame(fr, b, num(app[19]), app[18]);

    var items = [], pending = 0, k;
    for (k = 0; p[String(k)] != null; k++) {
      var f = values(p[String(k)], 15, 14), panel = el('div', 'os-item', track), host = panel;
      place(panel, 0, 0, vw, vh);
      panel.hidden = true;
      panel.inert = true;
      panel.setAttribute('aria-hidden', 'true');
      panel.style.transform = vertical ? 'translateY(0px)' : 'translateX(0px)';
      if (f[0]) {
        host = el('a', 'os-link', panel);
        host.href = f[0];
        if (f[1]) host.target = f[1];
        if (app[24] === '0') host.style.cursor = 'default';
      }
      if (f[2]) {
        var d = el('span', '', notes); d.id = id + '-d' + k; d.textContent = f[2];
        host.setAttribute('aria-describedby', d.id);
        host.title = f[2];
      }
      var t = host.style, size6 = Math.max(1, num(f[6], 14) - 6), style = num(f[5]);
      t.textAlign = f[13] === '1' ? 'left' : ['left', 'center', 'right'][num(f[3])] || 'left';
      t.fontFamily = FACES[num(f[4], 1)] || FACES[1];
      t.fontSize = px(size6 * 4 / 3);
      t.fontWeight = style & 1 ? 'bold' : 'normal';
      t.fontStyle = style & 2 ? 'italic' : 'normal';
      t.setProperty('--os-c', col(f[8]));
      t.setProperty('--os-h', col(f[9]));
      t.setProperty('--os-u', col(f[11]));
      host.className += ' os-u' + num(f[12], 1) + (f[7] === '1' ? ' os-shadow' : '');
      if (f[13] === '1') {
        if (bare(f[14])) {
          var img = el('img', '', host);
          // The picture names the link: by the status text, else by its file name.
          img.alt = f[2] || f[14].replace(/\.[^.]*$/, '');
          pending++;
          img.onload = placed(num(f[10]));
          img.onerror = loaded;
          img.src = f[14];
        }
      } else if (f[13] === '2') {
        readText(f[14], host);
      } else {
        host.textContent = lines(f[14]).join('\n');
      }
      items.push(panel);
    }

    // A picture stands where the preview puts it: at the left, centred in the box less its frame,
    // or at the right, always from the top.
    function placed(align) {
      return function () {
        var iw = this.naturalWidth;
        this.style.marginLeft = px(align === 1 ? Math.trunc((W - 2 * b - iw) / 2) - 1 : align === 2 ? W - 2 * b - 1 - iw : 0);
        loaded();
      };
    }

    // Text files lie beside the page; a page opened as a file may not read them.
    function readText(name, host) {
      var fail = () => { host.textContent = 'This item\'s text is in "' + name + '", which the browser reads only from a web server.'; };
      if (!bare(name)) return;
      if (location.protocol === 'file:') return fail();
      pending++;
      fetch(name).then((r) => { if (!r.ok) throw new Error(); return r.arrayBuffer(); })
        .then((bytes) => { host.textContent = decode(bytes).replace(/\r\n?/g, '\n'); }, fail).then(loaded);
    }

    // The loading message covers the box until the pictures and texts have come.
    var cover = el('div', 'os-loading', box);
    place(cover, 0, 0, W, H);
    cover.style.background = col(app[20]);
    cover.style.color = col(app[21]);
    cover.textContent = app[22] || '';
    function loaded() { if (--pending <= 0 && cover.parentNode) box.removeChild(cover); }
    pending++;
    // A request that hangs must not keep the box covered: after 8 s it shows what has come.
    setTimeout(() => { pending = 0; loaded(); }, 8000);

    // Motion: s counts items slid past; an item rests at each whole s for the delay. The track
    // carries the part of a step slid so far; the item at floor(s) stands at its start and the
    // next one after it, and those two alone are shown.
    var s = 0, target = null, rest = delay, hover = false, focus = false, stopped = !!(still && still.matches);
    var n = items.length, timer = null, shown = [], last = 0;
    function draw() {
      var k = Math.floor(s + 1e-9), f = Math.max(0, s - k), now = [], axis = vertical ? 'translateY(' : 'translateX(';
      var at = axis + px(Math.round(-sign * f * size)) + ')';
      if (track.style.transform !== at) track.style.transform = at;
      for (var j = 0; j < (f > 0 && n > 1 ? 2 : 1) && n; j++) now.push(((k + j) % n + n) % n);
      var front = now[f > 0.5 ? 1 : 0];
      if (shown.join() === now.join() && shown.front === front) return;
      shown.forEach((i) => { if (now.indexOf(i) < 0) { items[i].hidden = true; items[i].inert = true; items[i].setAttribute('aria-hidden', 'true'); } });
      now.forEach((i, j) => {
        var panel = items[i];
        panel.hidden = false;
        panel.style.transform = axis + px(sign * j * size) + ')';
        panel.inert = i !== front;
        panel.setAttribute('aria-hidden', String(i !== front));
      });
      shown = now;
      shown.front = front;
    }
    function moving() { return target !== null || !(stopped || hover || focus); }
    // Steps are reckoned from the time gone by, so a busy page slides late but not slower.
    function tick() {
      var t = performance.now(), ticks = Math.min(10, Math.max(0, (t - last) / TICK));
      timer = null;
      last = t;
      if (n < 1 || size <= 0 || !moving()) return;
      var step = (target !== null ? Math.max(speed, size / 8) : speed) / size * ticks;
      if (target !== null) {
        if (Math.abs(target - s) <= step) { s = target; target = null; rest = delay; }
        else s += Math.sign(target - s) * step;
      } else if (rest > 0) rest -= TICK * ticks;
      else if (step > 0) {
        var next = Math.floor(s + 1e-9) + 1;
        s = Math.min(next, s + step);
        if (s >= next - 1e-9) { s = next; rest = delay; }
      }
      if (target === null) s = ((s % n) + n) % n;
      draw();
      schedule();
    }
    function schedule() {
      if (timer || !moving() || n < 2) return;
      if (!last || performance.now() - last > 2 * TICK) last = performance.now();
      timer = setTimeout(tick, TICK);
    }
    function go(delta) {
      if (n < 2) return;
      var from = Math.round(s);
      if (still && still.matches) { s = ((from + delta) % n + n) % n; target = null; draw(); return; }
      target = from + delta;
      schedule();
    }

    var taken = [];
    if (app[23] === '1') {
      var fwd = vertical ? 'Up' : 'Left', back = vertical ? 'Down' : 'Right';
      var b1 = button(box, num(app[5]), num(app[6]), num(app[7]), num(app[8]), app[9], app[10], vertical ? 0 : 2, 'Scroll ' + fwd.toLowerCase());
      var b2 = button(box, num(app[11]), num(app[12]), num(app[13]), num(app[14]), app[15], app[16], vertical ? 1 : 3, 'Scroll ' + back.toLowerCase());
      b1.addEventListener('click', () => { go(sign); });
      b2.addEventListener('click', () => { go(-sign); });
      taken = [5, 11].map(i => [num(app[i]), num(app[i + 1]), num(app[i + 2]), num(app[i + 3])]);
    }
    var play = el('button', 'os-play', box);
    play.type = 'button';
    play.style.setProperty('--os-ring', '#000');
    // The pause control takes the first corner no scroll button covers.
    var spot = [[W - 20, H - 20], [2, H - 20], [W - 20, 2], [2, 2]].find(c =>
      !taken.some(r => c[0] < r[0] + r[2] && r[0] < c[0] + 18 && c[1] < r[1] + r[3] && r[1] < c[1] + 18)) || [W - 20, H - 20];
    place(play, spot[0], spot[1], 18, 18);
    function label() { play.textContent = stopped ? '\u25B6' : '\u275A\u275A'; play.setAttribute('aria-label', stopped ? 'Play news' : 'Pause news'); }
    play.addEventListener('click', () => { stopped = !stopped; label(); schedule(); });
    label();
    box.addEventListener('mouseenter', () => { hover = true; });
    box.addEventListener('mouseleave', () => { hover = false; schedule(); });
    box.addEventListener('focusin', () => { focus = true; });
    box.addEventListener('focusout', (ev) => { if (!box.contains(ev.relatedTarget)) { focus = false; schedule(); } });
    if (still && still.addEventListener) still.addEventListener('change', () => { if (still.matches) { stopped = true; label(); } });
    box.osmeral = { position: () => s, moving: () => !!timer };

    applet.parentNode.replaceChild(box, applet);
    draw();
    loaded();
    schedule();
  }

  function start() {
    if (!doc.getElementById('osmeral-style')) {
      var st = el('style', '', doc.head || doc.documentElement); st.id = 'osmeral-style';
      st.textContent = '.osmeral{position:relative;display:inline-block;overflow:hidden;vertical-align:top;box-sizing:border-box}' +
        '.osmeral *{box-sizing:border-box}.os-view,.os-track,.os-frame,.os-item,.os-btn,.os-arrow,.os-loading,.os-play{position:absolute}' +
        '.os-view{overflow:hidden}.os-track{left:0;top:0;width:100%;height:100%;will-change:transform}.os-frame{pointer-events:none}.os-ring{position:absolute;inset:1px}.os-item{overflow:hidden}' +
        '.os-item>*{display:block;white-space:pre-wrap;overflow-wrap:anywhere;color:var(--os-c);text-decoration:none}' +
        '.os-item img{display:inline-block;max-width:none}.os-link:hover,.os-link:focus{color:var(--os-h)}' +
        '.os-u2,.os-link.os-u1:hover,.os-link.os-u1:focus{text-decoration:underline;text-decoration-color:var(--os-u)}' +
        '.os-shadow{text-shadow:1px 1px 0 rgba(0,0,0,.7)}' +
        '.os-btn{padding:0;margin:0;border:0;box-shadow:inset -1px -1px #000,inset 1px 1px #fff;cursor:inherit}' +
        '.os-arrow{left:-1px;top:-1px;width:1px;height:1px}' +
        '.os-play{padding:0;font:9px/16px sans-serif;background:#fff;color:#000;border:1px solid #000;opacity:.75}' +
        '.os-play:hover,.os-play:focus{opacity:1}.osmeral :focus-visible{outline:2px solid var(--os-ring);outline-offset:-2px}' +
        '.os-loading{display:flex;align-items:center;justify-content:center;font:12px sans-serif}.os-notes{display:none}' +
        '@media (forced-colors:active){.os-frame{box-shadow:none!important;border:1px solid CanvasText}.os-ring{display:none}.os-btn{border:1px solid ButtonText}.os-arrow{forced-color-adjust:none;color:ButtonText!important}.os-item>*{color:LinkText}}';
    }
    Array.prototype.forEach.call(doc.querySelectorAll('applet[code="osmeral.class"]'), (applet) => {
      var p = {};
      Array.prototype.forEach.call(applet.getElementsByTagName('param'), (e) => { p[e.getAttribute('name')] = e.getAttribute('value'); });
      build(applet, p);
    });
    // Boxes without a name of their own are numbered once the page holds more than one.
    var unnamed = doc.querySelectorAll('.osmeral[data-os-unnamed]');
    if (unnamed.length > 1) Array.prototype.forEach.call(unnamed, (b, i) => { b.setAttribute('aria-label', 'News ' + (i + 1)); });
  }
  start();
})();
