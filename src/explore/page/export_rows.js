'use strict';
// The decided rows as a completed CSV for `zorvez merge`, with a note for
// every row that is not written. Which row a decision gives is decided in
// C++ by the rules of suggest's row plan and carried in the block: this
// part picks the pieces a decision names and joins them.
const ZorExportRows = ((model, decisionsModel) => {
  const { cols: { C_ROW, C_ACCEPTED, C_FATE, A_LABEL, A_ROW, A_FATE, S_KEY, S_CLASS, S_ATTRIBUTES },
    NO_MAPPING, attributeId } = model;
  const { isToolsChoice } = decisionsModel;
  const S_ROW_NAME = 5, S_ROW_PARENT = 6, S_MAPPED = 7, S_ROWS = 8, A_ROWS = 8, T_ROWS = 3;
  const words = (name) => String(name).replace(/_/g, ' ');
  const ownValue = (map, key) => (map && Object.hasOwn(map, key) ? map[key] : undefined);

  // What the row plan's rules give the rows of a source class, an attribute
  // item or a target class (src/explore/row_facts.h): the pieces of a row
  // that are not their names joined with commas, and why no row can be
  // written. The page joins the pieces a decision names, and picks the
  // first note that stops it.
  const factsOf = (entry, at) => entry[at] || {};
  const headOf = (item) => factsOf(item, S_ROWS).h ?? item[S_ROW_NAME] + ',' + item[S_ROW_PARENT] + ',';
  const tailOf = (target) => factsOf(target, T_ROWS).t ?? target[0] + ',' + target[2] + ',';
  const unknownClass = (key) => key + ' names a class this page does not know: decide it again';
  // A note of the row plan's with its blanks (U+0001) filled in order.
  const filled = (note, ...names) => note.split('\u0001').reduce((text, part, i) => text + names[i - 1] + part);

  // The row a class decision gives ({row}, without its line end), or why
  // none can be written ({note}).
  function classRowOf(review, item, decision) {
    const facts = factsOf(item, S_ROWS);
    if (facts.n !== undefined) return { note: facts.n };
    if (decision.none) return { row: facts.m };
    const target = review.targets.get(decision.k);
    if (target === undefined) return { note: unknownClass(decision.k) };
    const rows = factsOf(target, T_ROWS);
    if (rows.n !== undefined) return { note: rows.n };
    return { row: headOf(item) + '*,' + tailOf(target) + '*,' + (rows.d ?? facts.d) };
  }

  // The row an attribute decision gives in its class's target `target` (a
  // row naming a class reaches the class's attributes only where the lookup
  // finds that class, or where the class row names it), or why none.
  function attributeRowOf(review, item, part, decision, target) {
    const facts = factsOf(item, S_ROWS), own = factsOf(part, A_ROWS);
    const head = headOf(item) + (own.l ?? part[A_LABEL]) + ',';
    const nameNote = facts.n ?? own.n;
    if (decision.none) return nameNote === undefined ? { row: head + NO_MAPPING + ',' } : { note: nameNote };
    if (target === '') return { note: review.block.classFirst };
    const holder = review.targets.get(decision.c);
    const named = decision.c + '.' + decision.k;
    if (holder === undefined) return { note: unknownClass(named) };
    const rows = factsOf(holder, T_ROWS);
    if (rows.w !== undefined) return { note: rows.w };
    if (decision.c !== target && rows.r !== undefined) return { note: filled(rows.r, decision.k, target) };
    const note = nameNote ?? rows.n ?? ownValue(review.block.keyNotes, decision.k);
    if (note !== undefined) return { note };
    return { row: head + tailOf(holder) + (ownValue(review.block.rowKeys, decision.k) ?? decision.k) + ',' };
  }

  // The decided rows, as `zorvez suggest --format csv` writes the rows of
  // the same decisions: in the source dictionary's order, a class row, then
  // its attribute rows. A row that is not written is said in `notes`, with
  // what to do.
  function exportRows(review, decisions) {
    const out = { text: '', notes: [] };
    const ctx = { review, out };
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

  // Suggest's note on a row it does not write, in its words as the block
  // carries it; the table holding that very row has none, as there is
  // nothing to do, and an attribute waiting for its class none either, as
  // suggest says it of the class (null).
  function fateNote(ctx, fate, said) {
    if (fate.length > 1) return fate[1];
    const why = ctx.review.block.fates[fate[0]];
    if (why === 'class_not_placed') return null;
    return said + ': ' + (why === 'in_table' ? 'the table holds this very row already' : words(why));
  }

  function pushNote(notes, note) {
    if (note !== null) notes.push(note);
  }

  // The text of an item's complete row in the table, which the block gives
  // without the columns the page knows where it begins with them (the
  // class's row name and parent, then * or the attribute's label).
  function completeRowText(item, kind, part) {
    const row = part[kind === 'class' ? C_ROW : A_ROW];
    if (!Array.isArray(row)) return null;
    if (row.length > 2) return row[1];
    return [item[S_ROW_NAME], item[S_ROW_PARENT], kind === 'class' ? '*' : part[A_LABEL], ''].join(',') + row[1];
  }

  // A row of a reviewer's own decision goes unless the item's row in the
  // table is complete: a merge never replaces it. The same row is there
  // already; another is said, with the row to write in its place.
  function tableTakesRow(item, kind, part, row, said, notes) {
    const own = completeRowText(item, kind, part);
    if (own === null) return true;
    if (own !== row) {
      notes.push(said + ': table line ' + part[kind === 'class' ? C_ROW : A_ROW][0] + ' says otherwise and a merge ' +
        'never replaces it; edit it to read: ' + row);
    }
    return false;
  }

  // The class row of a class decision. Returns the target its attribute
  // rows name: the decided one where its row is written, else the one the
  // table maps the class to.
  function exportClassRow(ctx, item, saved) {
    const { review, out } = ctx;
    const part = item[S_CLASS], decision = saved.c, mapped = item[S_MAPPED];
    if (part === null || decision === undefined) return mapped;
    const name = item[S_ROW_NAME];
    const fate = toolFate('class', part, decision, true);
    if (fate) {
      pushNote(out.notes, fateNote(ctx, fate, name));
      return mapped;
    }
    const planned = classRowOf(review, item, decision);
    if (planned.note !== undefined) {
      out.notes.push(name + ': ' + planned.note);
      return mapped;
    }
    if (fate === undefined && !tableTakesRow(item, 'class', part, planned.row, name, out.notes)) return mapped;
    out.text += planned.row + '\n';
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
    const planned = attributeRowOf(ctx.review, item, part, decision, place.target);
    if (planned.note !== undefined) {
      out.notes.push(said + ': ' + planned.note);
      return;
    }
    if (fate === undefined && !tableTakesRow(item, 'attribute', part, planned.row, said, out.notes)) return;
    out.text += planned.row + '\n';
  }

  return { exportRows, completeRowText };
})(typeof ZorReviewModel === 'undefined' ? require('./review_model.js') : ZorReviewModel,
  typeof ZorDecisions === 'undefined' ? require('./review_decisions.js') : ZorDecisions);
if (typeof module !== 'undefined') module.exports = ZorExportRows;
