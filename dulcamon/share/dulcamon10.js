/* Dulcamon 1.0 pop-out menu runtime: one classic script, so pages work from disk too. Adds
 * qelvorpin and TJSMenuType2; a second load (two pasted menus) keeps the first. */
(function (win, doc) {
'use strict';
if (win.TJSMenuType2 && win.TJSMenuType2.dlcm) return;
var P = 'dlcm', INTENT = 180, seq = 0, nodes = new WeakMap(), looks = Object.create(null), sheet = null;
var calm = win.matchMedia('(prefers-reduced-motion: reduce)'), NARROW = '(max-width:30em)', narrow = win.matchMedia(NARROW);
var CIRCLE = /^(iris|radialwipe|wheel|spiral)$/, WIPE = /^(barn|blinds|checkerboard|gradientwipe|inset|randombars|revealtrans|slide|stretch|strips|zigzag)$/;
// Tooltips stand beside their item, never over the next, and can be hovered. On narrow screens lists
// open below their parents inside the menu, which scrolls sideways; controls are 24 px or more,
// and lines have one height in every browser (a normal line is taller in Firefox).
var CSS = `
.~{z-index:1000;line-height:normal;text-align:start}.~ ul{list-style:none;margin:0;padding:0}.~-row{display:flex;align-items:flex-start}
.~ li{position:relative;box-sizing:border-box;display:flex;flex:none;float:none;margin:0;padding:0;border:var(--~-bw) solid var(--~-bc);background:var(--~-b) var(--~-i) 0 0;color:var(--~-c)}
.~ li:is(.~-hot,.~-open,:focus-within){background-color:var(--~-bo);background-image:var(--~-io);color:var(--~-co)}
.~ :is(.~-x,.~-tg){display:flex;align-items:center;box-sizing:border-box;margin:0;border:0;background:none;color:inherit;font:inherit;text-decoration:none;white-space:nowrap;overflow:hidden}
.~ .~-x{flex:1 1 auto;min-width:0;padding:var(--~-pad)}.~ .~-tg{flex:none;padding:0 .3em}.~-ar{margin-inline-start:auto;padding-inline-start:.3em}
.~-sub{position:absolute;z-index:1}.~ [hidden]{display:none!important}.~ :focus-visible{outline:2px solid;outline-offset:-3px}
.~-tip{position:absolute;z-index:2;inset-inline-start:100%;top:0;width:max-content;max-width:20em}
.~-tip:not(.~-show){pointer-events:none;width:1px;height:1px;overflow:hidden;clip-path:inset(50%);white-space:nowrap}
.~-row>li>.~-tip{inset-inline-start:0;top:100%}.~-open>.~-tip{display:none}.~-tip.~-show{padding:2px 5px;border:1px solid #555;background:#ffffe1;color:#000;font-size:.9em}
@media ${NARROW}{.~{max-width:calc(100vw - var(--~-x));overflow-x:auto;line-height:1.2}.~-top:not(.~-row){width:max-content}
.~ li{flex-wrap:wrap;height:auto!important}.~ .~-sub li,.~-top:not(.~-row) li{width:auto!important}.~ .~-sub{position:static!important;box-sizing:border-box;flex:1 0 100%;padding-inline-start:8px;max-height:none!important}
.~ :is(.~-x,.~-tg){min-height:24px}.~ .~-tg{min-width:24px;justify-content:center}.~-tip.~-show{position:static;flex:1 0 100%}
}@media (forced-colors:active){.~ li{border-color:CanvasText}.~ li:is(.~-hot,.~-open){outline:2px dashed;outline-offset:-2px}
.~ :focus-visible{outline:3px solid}.~-tip.~-show{border-color:CanvasText}}`;
function yes(v) { return v === 1 || v === '1'; }
function listen(t, type, f, cap) { t.addEventListener(type, f, cap); }
function attr(e, name, v) { e.setAttribute(name, v); }
function num(v, d) { v = parseFloat(v); return isFinite(v) ? v : d; }
function pos(v, d) { return Math.max(0, num(v, d)); }
function str(v) { return v == null ? '' : String(v); }
function el(tag, cls) { var e = doc.createElement(tag); if (cls) e.className = cls; return e; }
// Quotes, backslashes and line breaks cannot stand raw in a CSS string.
function q(s) { return '"' + s.replace(/[\\"\n\r\f]/g, c => '\\' + c.charCodeAt(0).toString(16) + ' ') + '"'; }
function cssUrl(s) { return s ? 'url(' + q(s) + ')' : 'none'; }
// Font names other than plain words are quoted (Firefox drops a list with some bare); words such
// as serif stay bare, and generic.
function family(v) {
	return v.split(',').map(f => f.trim()).filter(f => f).map(f => /^-?[a-z_][\w-]*$/i.test(f) && !/^(inherit|initial|unset|revert|default)$/i.test(f) ? f : q(f.replace(/^(["'])(.*)\1$/, '$2'))).join();
}
function viewport() {
	var d = doc.compatMode === 'BackCompat' && doc.body ? doc.body : doc.documentElement;
	return { w: d.clientWidth || win.innerWidth, h: d.clientHeight || win.innerHeight };
}
// One rule per colour set; values are never parsed as rules.
function look(it) {
	var v = [it.bg, it.bgO, it.fg, it.fgO, cssUrl(it.img), cssUrl(it.imgO || it.img)], key = v.join('\n'), k = looks[key];
	if (!k) {
		k = looks[key] = P + '-k' + (++seq);
		var st = sheet.cssRules[sheet.insertRule('.' + k + '{}', sheet.cssRules.length)].style;
		['b', 'bo', 'c', 'co', 'i', 'io'].forEach((n, i) => { st.setProperty('--' + P + '-' + n, v[i]); });
	}
	return k;
}
// Unknown or broken filters mean a plain fade.
function parseFilter(t) {
	t = str(t).trim();
	if (!t) return null;
	var m = /([a-z]+)\s*(\(.*\))?;?$/i.exec(t),
		name = m ? m[1].toLowerCase() : '', d = /duration\s*=\s*['"]?([\d.]+)/i.exec(t);
	d = d ? parseFloat(d[1]) * 1000 : NaN;
	return { d: isFinite(d) ? Math.min(d, 5000) : 300, clip: CIRCLE.test(name) ? 'c' : WIPE.test(name) ? 'e' : '' };
}
function qelvorpin() {} // unused
function TJSMenuType2(name, frame, scroll, orient, x, y, gap, reserved, click, delay, pad, family, size, bold, italic,
	bw, bc, sx, sy, glide, step, speed, filter) {
	this.cfg = {
		name: str(name).trim(), fixed: yes(scroll), row: yes(orient), x: num(x, 0), y: num(y, 0), gap: num(gap, 0),
		click: yes(click), delay: pos(delay, 1000), pad: pos(pad, 0), family: str(family),
		size: num(size, 12), bold: yes(bold), italic: yes(italic), bw: pos(bw, 0), bc: str(bc),
		sx: num(sx, 0), sy: num(sy, 0), glide: yes(glide), step: num(step, 5), speed: num(speed, 1), fx: parseFilter(filter)
	};
	this.items = [];
}
TJSMenuType2.dlcm = 1;
TJSMenuType2.prototype.qeLvorpiN = function (id, parent, caption, url, target, w, h, img, imgOver, bg, bgOver, fg, fgOver, desc) {
	this.items.push({
		id: str(id), pid: str(parent), cap: str(caption), url: str(url).trim(), target: str(target).trim(),
		w: pos(w, 80), h: pos(h, 20), img: str(img).trim(), imgO: str(imgOver).trim(),
		bg: str(bg), bgO: str(bgOver), fg: str(fg), fgO: str(fgOver), desc: str(desc).trim()
	});
};
TJSMenuType2.prototype.qeLvORpin = function () {
	var m = this, at = doc.currentScript;
	if (m.built) return;
	m.built = true;
	if (doc.body) build(m, at); else listen(doc, 'DOMContentLoaded', () => build(m, null));
};
// Named after the menu name, unique on the page.
function label(name) {
	var used = [].map.call(doc.querySelectorAll('nav[aria-label]'), n => n.getAttribute('aria-label')), l = name || 'Menu', k = 1;
	while (used.indexOf(l) >= 0) l = (name || 'Menu') + ' ' + ++k;
	return l;
}
function build(m, at) {
	var c = m.cfg, id = P + ++seq, k = 0, openAt = [], hot = null, tip = null, pending = null, pendT = 0,
		lastPtr = 'mouse', pressing = false, vp = viewport(), rtl;
	if (!sheet) {
		var css = (doc.head || doc.documentElement).appendChild(el('style'));
		attr(css, 'data-' + P, '');
		css.textContent = CSS.replace(/~/g, P);
		sheet = css.sheet;
	}
	var nav = el('nav', P), s = nav.style;
	attr(nav, 'aria-label', label(c.name));
	s.position = c.fixed ? 'fixed' : 'absolute';
	s.left = c.x + 'px'; s.top = c.y + 'px';
	s.fontFamily = family(c.family); s.fontSize = c.size + 'px';
	s.fontWeight = c.bold ? 'bold' : 'normal'; s.fontStyle = c.italic ? 'italic' : 'normal';
	[['bw', c.bw + 'px'], ['bc', c.bc], ['pad', c.pad + 'px'], ['x', Math.max(0, c.x) + 'px']].forEach(p => s.setProperty('--' + P + '-' + p[0], p[1]));
	// Drawn where the page calls us; sub-menus stay in this frame (file:// forbids others).
	if (at && at.parentNode && doc.body.contains(at)) at.parentNode.insertBefore(nav, at.nextSibling);
	else doc.body.appendChild(nav);
	rtl = getComputedStyle(nav).direction === 'rtl';
	var root = { kids: [], lv: -1 }, byId = Object.create(null);
	m.items.forEach(it => {
		var p = (it.pid && byId[it.pid]) || root, n = { it: it, parent: p === root ? null : p, kids: [], lv: p.lv + 1 };
		p.kids.push(n);
		if (it.id && !byId[it.id]) byId[it.id] = n;
	});
	fill(nav.appendChild(el('ul', P + '-top' + (c.row ? ' ' + P + '-row' : ''))), root.kids);
	function fill(ul, kids) { kids.forEach((n, i) => ul.appendChild(item(n, i))); }
	function isHere(a) { return a.href === win.location.href; }
	function item(n, i) {
		var it = n.it, li = el('li', look(it)), st = li.style, x;
		st.width = it.w + 'px'; st.height = it.h + 'px';
		if (i && !n.lv) st[c.row ? 'marginInlineStart' : 'marginTop'] = c.gap + 'px';
		if (it.url) {
			x = el('a', P + '-x');
			attr(x, 'href', it.url);
			if (it.target) x.target = it.target;
			if (isHere(x)) attr(x, 'aria-current', 'page');
		} else x = el(n.kids.length ? 'button' : 'span', P + '-x');
		x.textContent = it.cap;
		li.appendChild(x);
		n.li = li; n.x = x; nodes.set(li, n);
		if (n.kids.length) {
			var tg = n.tg = x.tagName === 'BUTTON' ? x : li.appendChild(el('button', P + '-tg'));
			tg.type = 'button';
			if (tg !== x) attr(tg, 'aria-label', it.cap + ' submenu');
			n.ar = tg.appendChild(el('span', P + '-ar'));
			attr(n.ar, 'aria-hidden', 'true');
			// The list exists from the start; its items are made when it first opens.
			n.sub = el('ul', P + '-sub'); n.sub.id = id + '-s' + ++k; n.sub.hidden = true;
			attr(tg, 'aria-controls', n.sub.id);
			mark(n, false);
		}
		if (it.desc) {
			var t = n.tip = li.appendChild(el('span', P + '-tip'));
			t.id = id + '-d' + (++k); attr(t, 'aria-hidden', 'true'); t.textContent = it.desc;
			attr(x, 'aria-describedby', t.id);
		}
		if (n.sub) li.appendChild(n.sub);
		return li;
	}
	function mark(n, open) {
		attr(n.tg, 'aria-expanded', open ? 'true' : 'false');
		n.li.classList.toggle(P + '-open', open);
		n.ar.textContent = c.row && !n.lv ? (open ? '\u25B4' : '\u25BE') : open ? '\u25BE' : rtl ? '\u25C2' : '\u25B8';
	}
	function find(e) {
		var li = e && e.closest && e.closest('li');
		return li && nav.contains(li) ? nodes.get(li) : null;
	}
	function focusables(ul) { return [].slice.call(ul.querySelectorAll(':scope>li>:is(a,button)')); }
	function swap(old, e, cls) {
		if (old && old !== e) old.classList.remove(P + cls);
		if (e) e.classList.add(P + cls);
		return e;
	}
	function unpend() { clearTimeout(pendT); pending = null; }
	function setHot(n) { hot = swap(hot, n && n.li, '-hot'); }
	function showTip(n) { tip = swap(tip, n && n.tip, '-show'); }
	function open(n, how) {
		clearTimeout(n.ct);
		if (n.open) return;
		var o = openAt[n.lv];
		if (o && o !== n) close(o);
		if (!n.filled) { n.filled = true; fill(n.sub, n.kids); }
		n.open = true; n.how = how; openAt[n.lv] = n;
		n.sub.hidden = false;
		mark(n, true);
		if (!narrow.matches) place(n);
		animate(n);
	}
	function close(n) {
		clearTimeout(n.ct);
		if (!n.open) return;
		n.kids.forEach(close);
		n.open = false;
		if (openAt[n.lv] === n) openAt[n.lv] = null;
		// Keep focus out of a closing list.
		if (n.sub.contains(doc.activeElement)) n.tg.focus();
		n.sub.getAnimations().forEach(a => a.cancel());
		n.sub.hidden = true;
		n.sub.style.cssText = '';
		n.capped = n.fixed = false;
		mark(n, false);
	}
	function closeAll(only) { openAt.slice().forEach(o => { if (o && (!only || only(o))) close(o); }); }
	function later(n) { clearTimeout(n.ct); n.ct = setTimeout(() => close(n), c.delay); }
	// Offsets count from the parent's top-left corner; a list leaving the viewport flips, shifts up, or scrolls.
	function place(n) {
		var ul = n.sub, st = ul.style, r = n.li.getBoundingClientRect(), v = viewport(), fixed = false, a;
		for (a = n.parent; a; a = a.parent) if (a.capped) fixed = true;
		n.fixed = fixed; n.at = r.top;
		st.position = fixed ? 'fixed' : '';
		var w = ul.offsetWidth, h = ul.offsetHeight,
			x = rtl ? r.right - c.sx - w : r.left + c.sx, alt = rtl ? r.left + c.sx : r.right - c.sx - w;
		if ((x < 0 || x + w > v.w) && alt >= 0 && alt + w <= v.w) x = alt;
		x = Math.max(0, Math.min(x, v.w - w));
		n.capped = h > v.h;
		if (n.capped) { st.maxHeight = v.h + 'px'; st.overflowY = 'auto'; h = v.h; }
		var y = Math.max(0, Math.min(r.top + c.sy, v.h - h));
		n.side = x >= r.right - 1 ? 'l' : x + w <= r.left + 1 ? 'r' : y >= r.bottom - 1 ? 't' : rtl ? 'r' : 'l';
		st.left = (fixed ? x : x - r.left - c.bw) + 'px';
		st.top = (fixed ? y : y - r.top - c.bw) + 'px';
	}
	// Motion is decoration: the list is already usable.
	function animate(n) {
		var ul = n.sub, fx = c.fx, a = {}, b = {}, d = 0, side = narrow.matches ? 't' : n.side;
		if (calm.matches || !(c.glide || fx)) return;
		if (c.glide) d = Math.min(300, Math.ceil((side === 't' ? ul.offsetHeight : ul.offsetWidth) / Math.max(1, c.step)) * Math.max(16, c.speed));
		if (fx) d = Math.max(d, fx.d);
		if (fx && fx.clip === 'c') { a.clipPath = 'circle(0% at 50% 50%)'; b.clipPath = 'circle(75% at 50% 50%)'; }
		else if (c.glide || fx.clip) { a.clipPath = 'inset(' + { l: '0 100% 0 0', r: '0 0 0 100%', t: '0 0 100% 0' }[side] + ')'; b.clipPath = 'inset(0)'; }
		if (fx && !fx.clip) { a.opacity = 0; b.opacity = 1; }
		if (d > 0) ul.animate([a, b], { duration: d, easing: 'ease-out' });
	}
	// Hover is for a real mouse; touch and pen tap instead.
	listen(nav, 'pointerover', e => {
		if (e.pointerType !== 'mouse') return;
		var n = find(e.target), a;
		if (!n) return;
		for (a = n; a; a = a.parent) clearTimeout(a.ct);
		setHot(n); showTip(n);
		if (pending !== n) { unpend(); }
		if (n.sub && !n.open && !pending && (!c.click || openAt[0])) {
			pending = n;
			pendT = setTimeout(() => { pending = null; open(n, 'hover'); }, INTENT);
		}
	});
	listen(nav, 'pointerout', e => {
		if (e.pointerType !== 'mouse') return;
		var rt = e.relatedTarget, a;
		for (a = find(e.target); a; a = a.parent) {
			if (rt && a.li.contains(rt)) break;
			if (a === pending) { unpend(); }
			if (a.open && (a.how === 'hover' || a.how === 'click')) later(a);
		}
		if (!rt || !nav.contains(rt)) { setHot(null); showTip(find(doc.activeElement)); }
	});
	listen(nav, 'click', e => {
		var t = e.target.closest('a,button'), n = t && find(t);
		if (!n || !n.sub) return;
		var kbd = e.detail === 0, how = kbd ? 'key' : lastPtr === 'mouse' ? 'click' : 'tap';
		if (t === n.tg) {
			if (!n.open) open(n, how);
			else if (how === 'click' && n.how === 'hover') n.how = how; // a click keeps it open
			else close(n);
		} else if (!n.open && !kbd && (how === 'tap' || c.click)) {
			// First tap opens, the second follows the link.
			e.preventDefault();
			open(n, how);
		}
	});
	listen(nav, 'keydown', e => {
		var t = e.target, n = find(t), key = e.key, to;
		if (!n || e.altKey || e.ctrlKey || e.metaKey) return;
		if (key === 'Escape') {
			// A tooltip goes first; then an open parent's own list, else the enclosing one.
			if (tip) { showTip(null); e.preventDefault(); return; }
			var m = n.open && (t === n.tg || t === n.x) ? n : n.parent;
			if (m) { close(m); (m === n ? t : m.tg).focus(); e.preventDefault(); }
			return;
		}
		var row = c.row && !n.lv, side = rtl ? 'Left' : 'Right', back = rtl ? 'Right' : 'Left', ctl = focusables(n.li.parentNode),
			i = ctl.indexOf(t), dir = key.replace('Arrow', '');
		if (dir === (row ? side : 'Down')) to = ctl[(i + 1) % ctl.length];
		else if (dir === (row ? back : 'Up')) to = ctl[(i - 1 + ctl.length) % ctl.length];
		else if (key === 'Home') to = ctl[0];
		else if (key === 'End') to = ctl[ctl.length - 1];
		else if (dir === (row ? 'Down' : side) && n.sub) { open(n, 'key'); to = focusables(n.sub)[0]; }
		else if (dir === back && n.parent) { to = n.parent.tg; close(n.parent); }
		if (to) { to.focus(); e.preventDefault(); }
	});
	// Escape removes hover content wherever focus is.
	listen(doc, 'keydown', e => {
		if (e.key !== 'Escape' || e.defaultPrevented || !(tip || openAt.some(Boolean))) return;
		unpend();
		showTip(null);
		closeAll();
	});
	listen(nav, 'focusin', e => {
		closeAll(o => !o.li.contains(e.target));
		if (e.target.matches(':focus-visible')) showTip(find(e.target));
	});
	listen(nav, 'focusout', e => {
		var rt = e.relatedTarget;
		if ((rt && nav.contains(rt)) || (!rt && pressing)) return;
		showTip(find(hot));
		closeAll();
	});
	listen(doc, 'pointerdown', e => {
		lastPtr = e.pointerType || 'mouse';
		pressing = nav.contains(e.target);
		if (!pressing) closeAll();
	}, true);
	listen(doc, 'pointerup', () => pressing = false, true);
	listen(win, 'resize', () => {
		var v = viewport();
		if (v.w !== vp.w || v.h !== vp.h) { vp = v; closeAll(); }
	});
	// Pinned lists cannot follow a scroll.
	listen(win, 'scroll', () => {
		closeAll(o => o.fixed && o.li.getBoundingClientRect().top != o.at);
	}, true);
	// aria-current follows navigation inside the page.
	function current() {
		[].forEach.call(nav.querySelectorAll('a[href]'), a => {
			if (isHere(a)) attr(a, 'aria-current', 'page'); else a.removeAttribute('aria-current');
		});
	}
	listen(win, 'hashchange', current);
	listen(win, 'popstate', current);
}
win.qelvorpin = qelvorpin;
win.TJSMenuType2 = TJSMenuType2;
})(window, document);
