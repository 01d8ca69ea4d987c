#include "platform/ui/steppedmarquee.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

// Set up when the document is created, so that each marquee is stopped as the parser adds it, before
// the engine's first animation frame: stopped then, the engine never moves it. Its content is
// wrapped and measured once the document is parsed. The ends of a run and the loop rules are the
// engine's, so a page looks as it did, only stepped.
const char kScript[] = R"JS((function () {
  'use strict';
  var proto = window.HTMLMarqueeElement && HTMLMarqueeElement.prototype;
  if (!proto) return;
  var engineStop = proto.stop;
  var taken = new WeakSet();

  function whole(m, name, fallback, ok) {
    var v = parseInt(m.getAttribute(name), 10);
    return isNaN(v) || !ok(v) ? fallback : v;
  }
  function word(m, name, words) {
    var v = (m.getAttribute(name) || '').toLowerCase();
    return words.indexOf(v) >= 0 ? v : words[0];
  }
  function px(style, name) {
    var v = parseFloat(style.getPropertyValue(name));
    return isNaN(v) ? 0 : v;
  }

  function stepDelay(m) {
    var d = whole(m, 'scrolldelay', 85, function (v) { return v >= 0; });
    return d < 60 && !m.hasAttribute('truespeed') ? 85 : d;
  }

  function take(m) {
    taken.add(m);
    engineStop.call(m);
    var mover = null, path = null, timer = 0, running = true, at = 0, loops = 0, reverse = false;
    function behavior() { return word(m, 'behavior', ['scroll', 'slide', 'alternate']); }
    function loopCount() {
      var n = whole(m, 'loop', -1, function (v) { return v > 0 || v === -1; });
      return n <= 0 && behavior() === 'slide' ? 1 : n;
    }
    // Where a run starts and ends, from the marquee's and the content's sizes now.
    function measure() {
      var direction = word(m, 'direction', ['left', 'right', 'up', 'down']);
      var across = direction === 'left' || direction === 'right';
      var back = direction === 'right' || direction === 'down';
      mover.style.transform = '';
      if (across) mover.style.width = 'max-content';
      var size = px(getComputedStyle(m), across ? 'width' : 'height');
      var content = px(getComputedStyle(mover), across ? 'width' : 'height');
      mover.style.width = '';
      var room = size - content, ends;
      switch (behavior()) {
      case 'alternate':
        ends = room >= 0 ? [room, 0] : [0, room];
        if (back) ends.reverse();
        break;
      case 'slide':
        ends = back ? [-content, room] : [size, 0];
        break;
      default:
        ends = back ? [-content, size] : [size, -content];
      }
      return { across: across, from: ends[0], to: ends[1] };
    }
    function place(offset) {
      mover.style.transform = (path.across ? 'translateX(' : 'translateY(') + offset + 'px)';
    }
    function step() {
      timer = 0;
      var n = loopCount();
      if (!running || (n > 0 && loops >= n)) return;
      // At the start of every run, what a script put into the marquee since joins the moving block,
      // and the sizes are read again (pictures in it may have come in since).
      if (at === 0 && loops > 0) {
        wrap();
        path = measure();
      }
      var amount = whole(m, 'scrollamount', 6, function (v) { return v >= 0; });
      var distance = Math.abs(path.to - path.from);
      if (distance > 0 && amount > 0) {
        at = Math.min(distance, at + amount);
        var a = reverse ? path.to : path.from, b = reverse ? path.from : path.to;
        place(a + (b - a) * at / distance);
        if (at >= distance) {
          at = 0;
          loops++;
          if (behavior() === 'alternate') reverse = !reverse;
        }
      } else {
        wrap();  // nothing to move yet (hidden, or empty): look again next time
        path = measure();
      }
      timer = setTimeout(step, stepDelay(m));
    }
    function wrap() {
      var loose = Array.prototype.filter.call(m.childNodes, function (c) { return c !== mover; });
      loose.forEach(function (c) { mover.appendChild(c); });
      if (mover.parentNode !== m) m.appendChild(mover);
    }
    function begin() {
      mover = document.createElement('div');
      mover.style.willChange = 'transform';
      wrap();
      path = measure();
      place(path.from);
      if (running) timer = setTimeout(step, stepDelay(m));
    }
    m.start = function () {
      running = true;
      if (mover && !timer) timer = setTimeout(step, stepDelay(m));
    };
    m.stop = function () {
      running = false;
      clearTimeout(timer);
      timer = 0;
    };
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', begin);
    else Promise.resolve().then(begin);
  }

  // Each step costs a whole frame of the page; the glide, a cheap frame at the display's rate. A
  // marquee that steps more often than five times a second is left to glide.
  var shortestSteppedDelay = 200;
  // A marquee put back into the document is started by the engine again: stopped again here.
  function look(m) {
    if (taken.has(m)) engineStop.call(m);
    else if (stepDelay(m) >= shortestSteppedDelay) take(m);
  }
  new MutationObserver(function (records) {
    for (var i = 0; i < records.length; i++) {
      var added = records[i].addedNodes;
      for (var j = 0; j < added.length; j++) {
        var node = added[j];
        if (node.nodeType !== 1) continue;
        if (node.nodeName === 'MARQUEE') look(node);
        // The parser adds elements one by one; a script may add a whole tree at once.
        if (node.firstElementChild) {
          var inner = node.getElementsByTagName('marquee');
          for (var k = 0; k < inner.length; k++) look(inner[k]);
        }
      }
    }
  }).observe(document, { childList: true, subtree: true });
})();)JS";

}  // namespace

void InstallSteppedMarquees(QWebEngineProfile* profile) {
    QWebEngineScript script;
    script.setName(QStringLiteral("tavolin-stepped-marquee"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(kScript));
    profile->scripts()->insert(script);
}
