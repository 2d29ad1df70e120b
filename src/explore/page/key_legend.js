'use strict';
// The legend of the keys a page answers to, shown by "Keys" or "?", under
// the page's controls. Each page gives its own groups of keys (the explorer
// page's in explore_page.js, the review's in review_page.js), next to where
// it wires them: a key added there belongs in its group.
const ZorKeyLegend = ((dom) => {
  const { byId, make, button } = dom;

  // `groups`: [title, [[keys, what they do], ...]], ... in the order shown.
  function legendOf(groups) {
    function build() {
      const legend = make('section', 'key-legend');
      legend.id = 'key-legend';
      legend.setAttribute('aria-label', 'Keys');
      legend.append(make('h3', null, 'Keys'));
      for (const [title, keys] of groups) {
        const table = make('table');
        table.append(make('caption', null, title));
        for (const [key, does] of keys) {
          const line = make('tr');
          const name = make('th');
          name.append(make('kbd', null, key));
          line.append(name, make('td', null, does));
          table.append(line);
        }
        legend.append(table);
      }
      legend.append(button('Close', 'hide the keys (?)', () => toggle()));
      return legend;
    }

    // Shows the legend under the controls, or hides it.
    function toggle() {
      const shown = byId('key-legend');
      if (shown !== null) {
        shown.remove();
        return;
      }
      byId('controls').after(build());
    }

    return { toggle };
  }

  // The keys of the list and of reviewing a class, which both pages share.
  const LIST = ['In the list of classes', [
    ['\u2191 \u2193', 'the previous or next class'],
    ['Home End', 'the first or last class'],
    ['Page Up, Page Down', 'a page of lines up or down'],
  ]];
  const REVIEW = [
    ['a', 'accept the shown candidate and go to the next open item'],
    ['s', 'skip to the next open item; past the list\u2019s end it goes round to the top'],
    ['\u2190 \u2192', 'show the previous or next candidate'],
    ['1 \u2013 9', 'show the n-th candidate'],
    ['j k', 'the next or previous item of the class, round at the ends'],
    ['n', 'No Mapping'],
    ['u', 'leave open again'],
    ['t', 'type a target key or label'],
  ];
  const TARGET_BOX = ['In the target box', [
    ['Tab', 'complete to the first proposal (it never leaves a box with text in it)'],
    ['Enter', 'decide the target typed'],
    ['Escape', 'leave the box'],
  ]];
  const ANYWHERE = ['Anywhere but a text box', [['?', 'show or hide these keys']]];

  return { legendOf, LIST, REVIEW, TARGET_BOX, ANYWHERE };
})(ZorPageDom);
