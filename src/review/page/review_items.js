'use strict';
// A class's review as the server words it, and what the page keeps of its
// own: which item has the focus and which candidate each item shows. No
// rule of the review is here: the server decides, words and plans; this
// only picks. Node's tests load this file as it is.
const ZorReviewItems = (() => {
  // The candidate an item shows: the one picked, else the one decided,
  // else the first; -1 for a typed target that no candidate names, or for
  // an item without candidates.
  function shownCandidate(item, picked) {
    if (picked !== undefined && picked >= 0 && picked < item.candidates.length) return picked;
    const chosen = item.candidates.findIndex((c) => c.marks.includes('chosen'));
    if (chosen >= 0) return chosen;
    return item.candidates.length > 0 ? 0 : -1;
  }

  // What an item's decision request names: the class key, and for an
  // attribute its key and label.
  function itemName(review, item) {
    const name = { class: review.key };
    if (item.kind === 'attribute') name.attribute = { key: item.attribute.key, label: item.attribute.label };
    return name;
  }

  // The decision that accepts a candidate.
  function acceptRequest(review, item, candidate) {
    return Object.assign(itemName(review, item), { target: Object.assign({}, candidate.target) });
  }

  // The first open item at or after `from` among a review's items, else
  // before it; -1 for none.
  function openItem(review, from) {
    const items = review.items;
    for (let step = 0; step < items.length; step++) {
      const n = (from + step) % items.length;
      if (items[n].decision.state === 'open' && items[n].nameable) return n;
    }
    return -1;
  }

  // The open item after `n` in the class, not going round; -1 for none.
  function openAfter(review, n) {
    for (let k = n + 1; k < review.items.length; k++) {
      if (review.items[k].decision.state === 'open' && review.items[k].nameable) return k;
    }
    return -1;
  }

  return { shownCandidate, itemName, acceptRequest, openItem, openAfter };
})();
if (typeof module !== 'undefined') module.exports = ZorReviewItems;
