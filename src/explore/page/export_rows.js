'use strict';
// The decided rows as a completed CSV for `zorvez merge`, with a note for
// every row that is not written.
const ZorExportRows = ((model, decisionsModel) => {
  const { cols: { C_ROW, C_ACCEPTED, C_FATE, A_LABEL, A_ROW, A_FATE, S_KEY, S_CLASS, S_ATTRIBUTES },
    NO_MAPPING, attributeId } = model;
  const { isToolsChoice } = decisionsModel;
  const S_ROW_NAME = 5, S_ROW_PARENT = 6, S_MAPPED = 7;
  const words = (name) => String(name).replace(/_/g, ' ');

  // A value as the mapping table spells it: every "&" that does not begin
  // "&amp;" or "&nbsp;" as "&amp;".
  const spelled = (value) => String(value).replace(/&(?!amp;|nbsp;)/gi, '&amp;');
  const tableRow = (values) => values.map((v) => (v === '*' ? v : spelled(v)) + ',').join('') + '\n';

  function domainOf(review, targetParent, sourceParent) {
    const domains = review.block.domains;
    if (Object.hasOwn(domains.target, targetParent)) return domains.target[targetParent];
    if (Object.hasOwn(domains.source, sourceParent)) return domains.source[sourceParent];
    return domains.fallback;
  }

  // How a table row names a target class: [name, parent].
  function targetRowNames(review, key) {
    const t = review.targets.get(key);
    if (t === undefined) return [key, ''];
    return t.length > 3 ? [t[3], t[4]] : [t[0], t[2]];
  }

  // Whether the target dictionary has more than one class of this key.
  function twoOfKey(review, key) {
    if (review.repeatedKeys === undefined) {
      const seen = new Set();
      review.repeatedKeys = new Set();
      for (const t of review.block.targets) {
        if (seen.has(t[0])) review.repeatedKeys.add(t[0]); else seen.add(t[0]);
      }
    }
    return review.repeatedKeys.has(key);
  }

  // The class an attribute row naming `key` finds: the lookup takes the
  // first target class with the same parent.
  function classLookedUp(review, key) {
    if (review.firstOfParent === undefined) {
      review.firstOfParent = new Map();
      for (const t of review.block.targets) if (!review.firstOfParent.has(t[2])) review.firstOfParent.set(t[2], t[0]);
    }
    const t = review.targets.get(key);
    return t === undefined ? undefined : review.firstOfParent.get(t[2]);
  }

  // The decided rows, as `zorvez suggest --format csv` writes the rows of
  // the same decisions: in the source dictionary's order, a class row, then
  // its attribute rows. A row that is not written is said in `notes`, with
  // what to do. `mapping` is the table as suggest's notes name it.
  function exportRows(review, decisions, mapping) {
    const out = { text: '', notes: [] };
    const ctx = { review, mapping, out };
    for (const item of review.block.items) {
      const saved = decisions[item[S_KEY]];
      if (saved === undefined) continue;
      const target = exportClassRow(ctx, item, saved);
      const agrees = classAsTheTool(item, saved);
      for (const part of item[S_ATTRIBUTES]) {
        const decision = (saved.a || {})[attributeId(part)];
        if (decision !== undefined) exportAttributeRow(ctx, item, part, decision, { target, agrees });
      }
    }
    return out;
  }

  // Whether the class stands as suggest planned its attribute rows: the
  // tool's choice decided, or nothing decided where the tool accepted none.
  function classAsTheTool(item, saved) {
    const part = item[S_CLASS];
    if (part === null) return true;
    if (part[C_ACCEPTED] < 0) return saved.c === undefined;
    return saved.c !== undefined && isToolsChoice('class', part, saved.c);
  }

  // What suggest planned for the row of the tool's own choice: undefined for
  // another decision, null where it writes the row, else [why, note].
  function toolFate(kind, part, decision, agrees) {
    if (!agrees || !isToolsChoice(kind, part, decision)) return undefined;
    return part[kind === 'class' ? C_FATE : A_FATE] ?? null;
  }

  // Suggest's note on a row it does not write; the table holding that very
  // row has none, as there is nothing to do, and an attribute waiting for
  // its class none either, as suggest says it of the class (null).
  function fateNote(ctx, fate, said) {
    if (fate.length > 2) return (fate[2] > 0 ? ctx.mapping + ':' + fate[2] + ': ' : '') + said + ': ' + fate[1];
    if (fate.length > 1) return fate[1];
    const why = ctx.review.block.fates[fate[0]];
    if (why === 'class_not_placed') return null;
    return said + ': ' + (why === 'in_table' ? 'the table holds this very row already' : words(why));
  }

  function pushNote(notes, note) {
    if (note !== null) notes.push(note);
  }

  // The text of an item's complete row in the table, which the block gives
  // without the columns the page knows (the class's row name and parent,
  // then * or the attribute's label).
  function completeRowText(item, kind, part) {
    const row = part[kind === 'class' ? C_ROW : A_ROW];
    if (!Array.isArray(row)) return null;
    if (row.length > 2) return row[1];
    return tableRow([item[S_ROW_NAME], item[S_ROW_PARENT], kind === 'class' ? '*' : part[A_LABEL]]).slice(0, -1) + row[1];
  }

  // A row of a reviewer's own decision goes unless the item's row in the
  // table is complete: a merge never replaces it. The same row is there
  // already; another is said, with the row to write in its place.
  function tableTakesRow(item, kind, part, row, said, notes) {
    const own = completeRowText(item, kind, part);
    if (own === null) return true;
    const text = row.slice(0, -1);
    if (own !== text) {
      notes.push(said + ': table line ' + part[kind === 'class' ? C_ROW : A_ROW][0] + ' says otherwise and a merge ' +
        'never replaces it; edit it to read: ' + text);
    }
    return false;
  }

  // Whether a row can hold the values: the table reader misreads a row with
  // an empty name or parent, and no row can hold a comma or a line end.
  function writable(values, said, notes) {
    const bad = values.find((v) => v === '' || /[,\n]/.test(v));
    if (bad === '') notes.push(said + ': an empty name or parent, which no table row can hold: give it one in its dictionary');
    else if (bad !== undefined) {
      notes.push(said + ": '" + bad + "' holds a comma or a line end, which no table row can hold: rename it in its dictionary");
    }
    return bad === undefined;
  }

  // The class row of a class decision. Returns the target its attribute
  // rows name: the decided one where its row is written, else the one the
  // table maps the class to.
  function exportClassRow(ctx, item, saved) {
    const { review, out } = ctx;
    const part = item[S_CLASS], decision = saved.c, mapped = item[S_MAPPED];
    if (part === null || decision === undefined) return mapped;
    const name = item[S_ROW_NAME], parent = item[S_ROW_PARENT];
    const fate = toolFate('class', part, decision, true);
    if (fate) {
      pushNote(out.notes, fateNote(ctx, fate, name));
      return mapped;
    }
    const [targetName, targetParent] = decision.none ? [NO_MAPPING, ''] : targetRowNames(review, decision.k);
    if (!writable(decision.none ? [name, parent] : [name, parent, targetName, targetParent], name, out.notes)) return mapped;
    const domain = domainOf(review, targetParent, parent);
    const row = tableRow([name, parent, '*', targetName, targetParent, '*', ...(domain === '' ? [] : [domain])]);
    if (fate === undefined && !tableTakesRow(item, 'class', part, row, name, out.notes)) return mapped;
    out.text += row;
    return decision.none ? mapped : decision.k;
  }

  // The attribute row of an attribute decision, in its class's target
  // (`place.target`); `place.agrees` when that is the target suggest
  // planned the row in.
  function exportAttributeRow(ctx, item, part, decision, place) {
    const { out } = ctx;
    const said = item[S_ROW_NAME] + ': ' + part[A_LABEL];
    const fate = toolFate('attribute', part, decision, place.agrees);
    if (fate) {
      pushNote(out.notes, fateNote(ctx, fate, said));
      return;
    }
    const row = attributeRowOf(ctx.review, item, part, decision, place.target, said, out.notes);
    if (row === null || (fate === undefined && !tableTakesRow(item, 'attribute', part, row, said, out.notes))) return;
    out.text += row;
  }

  // Why a row cannot name the class holding the attribute, and the way out.
  function outOfReach(review, decision, target, found) {
    const named = decision.c + '.' + decision.k;
    if (found === undefined) return named + ' names a class this page does not know: decide it again';
    return named + " is out of any row's reach: a row naming " + decision.c + ' is looked up in ' + found +
      ', the first class under ' + review.targets.get(decision.c)[2] + '; map it by hand, or give ' + target +
      ' the attribute in the target';
  }

  // The row an attribute decision gives, or null (said in `notes`) where no
  // row can give it.
  function attributeRowOf(review, item, part, decision, target, said, notes) {
    const name = item[S_ROW_NAME], parent = item[S_ROW_PARENT], label = part[A_LABEL];
    if (decision.none) return writable([name, parent, label], said, notes) ? tableRow([name, parent, label, NO_MAPPING, '', '']) : null;
    if (target === '') {
      notes.push(said + ': its class has no target yet: decide the class first');
      return null;
    }
    if (twoOfKey(review, decision.c)) {
      notes.push(said + ': the target has two classes of key ' + decision.c + ' and no row can tell them apart: ' +
        'give one of them another key in the target');
      return null;
    }
    const found = decision.c === target ? target : classLookedUp(review, decision.c);
    if (found !== decision.c) {
      notes.push(said + ': ' + outOfReach(review, decision, target, found));
      return null;
    }
    const [targetName, targetParent] = targetRowNames(review, decision.c);
    if (!writable([name, parent, label, targetName, targetParent, decision.k], said, notes)) return null;
    return tableRow([name, parent, label, targetName, targetParent, decision.k]);
  }

  return { exportRows, completeRowText };
})(typeof ZorReviewModel === 'undefined' ? require('./review_model.js') : ZorReviewModel,
  typeof ZorDecisions === 'undefined' ? require('./review_decisions.js') : ZorDecisions);
if (typeof module !== 'undefined') module.exports = ZorExportRows;
