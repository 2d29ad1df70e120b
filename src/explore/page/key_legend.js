'use strict';
// The keys the page answers to, shown by "Keys" or "?": the list's keys
// (src/explore/page/explore_page.js, wire), the review's (reviewKeys) and
// the target box's (review_view.js, keyBox). A key added there belongs here.
const ZorKeyLegend = ((dom) => {
  const { byId, make, button } = dom;
  const GROUPS = [
    ['In the list of classes', [
      ['\u2191 \u2193', 'the previous or next class'],
      ['Home End', 'the first or last class'],
      ['Page Up, Page Down', 'a page of lines up or down'],
    ]],
    ['Reviewing an open class (no text box focused)', [
      ['a', 'accept the shown candidate and go to the next open item'],
      ['s', 'skip to the next open item; past the list\u2019s end it goes round to the top'],
      ['\u2190 \u2192', 'show the previous or next candidate'],
      ['1 \u2013 9', 'show the n-th candidate'],
      ['j k', 'the next or previous item of the class, round at the ends'],
      ['n', 'No Mapping'],
      ['u', 'leave open again'],
      ['t', 'type a target key or label'],
    ]],
    ['In the target box', [
      ['Tab', 'complete to the first proposal (it never leaves a box with text in it)'],
      ['Enter', 'decide the target typed'],
      ['Escape', 'leave the box'],
    ]],
    ['Anywhere but a text box', [['?', 'show or hide these keys']]],
  ];

  function build() {
    const legend = make('section', 'key-legend');
    legend.id = 'key-legend';
    legend.setAttribute('aria-label', 'Keys');
    legend.append(make('h3', null, 'Keys'));
    for (const [title, keys] of GROUPS) {
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
})(ZorPageDom);
