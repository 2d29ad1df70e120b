'use strict';
// What every part of the page's view shares: the columns of the index, and
// the one way text enters the page (textContent), so that no name in a
// dictionary can become markup or script.
const ZorPageDom = (() => {
  // Columns of a class in the index.
  const VERDICT = 0, KIND = 1, LABEL = 2, KEY = 3, PARENT = 4, SECTION = 5, MASK = 6, ITEMS = 7, ITEM_VERDICTS = 8;
  const KNOWN_VERDICTS = ['green', 'blue', 'red', 'orange', 'purple', 'grey'];

  const byId = (id) => document.getElementById(id);
  const make = (tag, className, text) => {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined && text !== null) node.textContent = String(text);
    return node;
  };
  const words = (name) => String(name).replace(/_/g, ' ');
  const verdictClass = (name) => 'v-' + (KNOWN_VERDICTS.includes(name) ? name : 'other');

  function button(text, title, action) {
    const node = make('button', null, text);
    node.type = 'button';
    node.title = title;
    node.addEventListener('click', action);
    return node;
  }

  function facts(pairs) {
    const list = make('dl', 'facts');
    for (const [term, value] of pairs) {
      if (value === null) continue;
      const description = make('dd');
      if (value instanceof Node) description.append(value); else description.textContent = String(value);
      list.append(make('dt', null, term), description);
    }
    return list;
  }

  return {
    VERDICT, KIND, LABEL, KEY, PARENT, SECTION, MASK, ITEMS, ITEM_VERDICTS, byId, make, words, verdictClass, button, facts,
  };
})();
