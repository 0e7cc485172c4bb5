// The picture viewer of Express index pages: a thumbnail's picture over the
// page, fitted to the window. kesto-viewer.js, made for each gallery, holds
// this script after the gallery's pictures (kestoPictures): per picture its
// address (every byte but letters, digits and "-_.~" as %XX, which is also
// its fragment), its title and the number of the index page that holds it.
// The page's script element names the page's own number (data-page).
(function (pictures, script) {
  "use strict";
  var here = Number(script.getAttribute("data-page"));
  var byKey = {};
  var at = -1;
  var touch = null;
  var box, img, title, prev, next;

  pictures.forEach(function (p, i) { byKey[p[0]] = i; });

  // A fragment in the form of the keys, however the browser or a link wrote it.
  function key(fragment) {
    return fragment.replace(/%[0-9a-fA-F]{2}|[^A-Za-z0-9\-_.~]/gu, function (c) {
      if (c.length === 3 && c[0] === "%") return c.toUpperCase();
      return encodeURIComponent(c).replace(/[!'()*]/g, function (s) {
        return "%" + s.charCodeAt(0).toString(16).toUpperCase();
      });
    });
  }

  function pictureInAddress() {
    var i = byKey[key(location.hash.slice(1))];
    return i === undefined ? -1 : i;
  }

  function element(tag, id, parent) {
    var e = document.createElement(tag);
    e.id = id;
    parent.appendChild(e);
    return e;
  }

  function button(id, label, text, action) {
    var b = element("button", id, box);
    b.type = "button";
    b.setAttribute("aria-label", label);
    b.textContent = text;
    b.addEventListener("click", action);
    return b;
  }

  function preload(i) {
    if (i >= 0 && i < pictures.length) new Image().src = pictures[i][0];
  }

  function show(i) {
    at = i;
    img.src = pictures[i][0];
    title.textContent = pictures[i][1];
    prev.hidden = i === 0;
    next.hidden = i === pictures.length - 1;
    box.hidden = false;
    document.documentElement.classList.add("kv-open");
    preload(i + 1);
    preload(i - 1);
  }

  function hide() {
    at = -1;
    box.hidden = true;
    img.removeAttribute("src");
    document.documentElement.classList.remove("kv-open");
  }

  function open(i) {
    show(i);
    history.pushState({ viewer: true }, "", "#" + pictures[i][0]);
  }

  function step(by) {
    var i = at + by;
    if (at < 0 || i < 0 || i >= pictures.length) return;
    show(i);
    history.replaceState(history.state, "", "#" + pictures[i][0]);
  }

  // Back closes a viewer that a click opened; one opened by a link's
  // fragment takes the fragment off the address.
  function close() {
    if (history.state && history.state.viewer) {
      history.back();
    } else {
      hide();
      history.replaceState(null, "", location.pathname + location.search);
    }
  }

  function follow() {
    var i = pictureInAddress();
    if (i < 0) hide();
    else show(i);
  }

  function build() {
    box = element("div", "kv", document.body);
    box.hidden = true;
    img = element("img", "kv-img", box);
    img.alt = "";
    title = element("p", "kv-title", box);
    prev = button("kv-prev", "Previous", "\u2039", function () { step(-1); });
    next = button("kv-next", "Next", "\u203A", function () { step(1); });
    button("kv-close", "Close", "\u00D7", close);
    box.addEventListener("click", function (e) {
      if (e.target === box || e.target === title) close();
    });
    box.addEventListener("touchstart", function (e) {
      touch = e.touches.length === 1 ? e.touches[0] : null;
    }, { passive: true });
    box.addEventListener("touchend", function (e) {
      if (!touch) return;
      var dx = e.changedTouches[0].clientX - touch.clientX;
      var dy = e.changedTouches[0].clientY - touch.clientY;
      touch = null;
      if (Math.abs(dx) > 40 && Math.abs(dx) > Math.abs(dy)) step(dx < 0 ? 1 : -1);
    });
  }

  document.addEventListener("click", function (e) {
    var link = e.target.closest && e.target.closest("a[data-kv]");
    if (!link || e.button !== 0 || e.ctrlKey || e.metaKey || e.shiftKey || e.altKey) return;
    var i = byKey[link.getAttribute("data-kv")];
    if (i === undefined) return;
    e.preventDefault();
    open(i);
  });
  document.addEventListener("keydown", function (e) {
    if (at < 0) return;
    if (e.key === "ArrowLeft") step(-1);
    else if (e.key === "ArrowRight") step(1);
    else if (e.key === "Escape") close();
    else return;
    e.preventDefault();
  });
  window.addEventListener("popstate", follow);

  build();
  var first = pictureInAddress();
  var page = first < 0 ? here : pictures[first][2];
  if (page !== here) location.replace("page" + page + ".html" + location.hash);
  else if (first >= 0) show(first);
})(kestoPictures, document.currentScript);
