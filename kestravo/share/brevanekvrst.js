/* Kestravo 1.0 jump-menu runtime. Adds one global: onSelectedItemChanged.
 * A choice made with the mouse, by touch or with Enter in the opened list opens at once; arrow keys
 * on the closed list only move the selection and Enter opens it, so keyboard users can read the
 * list without leaving the page. Any number of jump menus may share a page. */
var onSelectedItemChanged = (function (win, doc) {
  'use strict';
  var stepping = null, changing = null;

  function go(sel) {
    var o = sel && sel.options[sel.selectedIndex], url = o ? o.value : '0';
    if (!url || url === '0') return;
    var t = (o.getAttribute('target') || '').trim();
    // A frame name that matches no frame opens a new window, as a link's target would.
    win.open(url, t || '_self');
  }
  function isMenu(e) { return !!e && e.tagName === 'SELECT'; }

  // A key that moves the selection of the closed list fires its change while the key is being
  // handled. Keys pressed in the opened list never reach the page, and the key that opened it may
  // never be released here, so the mark lasts only until the next task.
  doc.addEventListener('keydown', function (e) {
    if (!isMenu(e.target)) return;
    if (e.key === 'Enter') { e.preventDefault(); go(e.target); return; }
    var s = stepping = e.target;
    setTimeout(function () { if (stepping === s) stepping = null; }, 0);
  }, true);
  // The select that changed comes from the event: with two menus the page-wide form name is a
  // collection and the generated handler hands over nothing useful.
  doc.addEventListener('change', function (e) { changing = isMenu(e.target) ? e.target : null; }, true);
  doc.addEventListener('change', function () { changing = null; });

  function name() {
    [].forEach.call(doc.getElementsByName('brevanekstrvselect'), function (s) {
      if (!s.getAttribute('aria-label') && !s.labels.length && !s.title) {
        s.setAttribute('aria-label', ((s.options[0] && s.options[0].text) || '').trim() || 'Menu');
      }
    });
  }
  if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', name); else name();
  // After Back the page may come from the cache with the old choice showing; offer the tip again.
  win.addEventListener('pageshow', function () {
    [].forEach.call(doc.getElementsByName('brevanekstrvselect'), function (s) { s.selectedIndex = 0; });
  });

  return function (sel) {
    sel = changing || (isMenu(sel) ? sel : null);
    if (sel && stepping !== sel) go(sel);
  };
})(window, document);
