'use strict';
// "Apply to table": what would change, from the server's preview (the rows
// added, the No Mapping rows, each table row a decision would replace,
// old beside new, each with its own confirmation, and what cannot be
// written), then the change made and the counts before and after.
const ZorReviewApply = ((dom) => {
  const { byId, make, button } = dom;

  function rowList(title, rows, className) {
    const box = make('div', 'apply-group ' + className);
    box.append(make('h4', null, title + ' (' + rows.length + ')'));
    const list = make('ul', 'rows');
    for (const row of rows) {
      const line = make('li');
      line.append(make('code', null, row));
      list.append(line);
    }
    box.append(list);
    return box;
  }

  function retargetList(retargets) {
    const box = make('div', 'apply-group retargets');
    box.append(make('h4', null, 'Table rows a decision replaces (' + retargets.length + ')'),
      make('p', 'hint', 'A merge never replaces a row of the table: each is replaced only when ticked here.'));
    for (const r of retargets) {
      const line = make('label', 'retarget');
      const tick = make('input');
      tick.type = 'checkbox';
      tick.value = String(r.line);
      tick.dataset.line = String(r.line);
      const what = make('span');
      what.append(make('strong', null, r.item + ', line ' + r.line + ': '), make('span', null, 'now '),
        make('code', 'old', r.old), make('span', null, ', replaced by '), make('code', 'new', r.new));
      line.append(tick, what);
      box.append(line);
    }
    return box;
  }

  // Draws the preview with its Apply and Cancel; `apply(lines)` is called
  // with the table lines whose replacement is ticked.
  function drawPreview(preview, apply, cancel) {
    const panel = byId('apply-box') || make('section');
    panel.id = 'apply-box';
    const parts = [make('h3', null, 'Apply to the table')];
    const added = preview.class_rows.length + preview.attribute_rows.length;
    if (added + preview.no_mapping_rows.length + preview.retargets.length === 0) {
      parts.push(make('p', null, 'There is nothing to apply: no decided item gives a row the table takes.'));
    }
    if (preview.class_rows.length > 0) parts.push(rowList('Class rows added', preview.class_rows, 'class-rows'));
    if (preview.attribute_rows.length > 0) parts.push(rowList('Attribute rows added', preview.attribute_rows, 'attribute-rows'));
    if (preview.no_mapping_rows.length > 0) parts.push(rowList('No Mapping rows added', preview.no_mapping_rows, 'no-mapping-rows'));
    if (preview.retargets.length > 0) parts.push(retargetList(preview.retargets));
    if (preview.unwritten.length > 0) parts.push(rowList('Not written: write these by hand', preview.unwritten, 'unwritten'));
    const go = button('Apply', 'write these rows into the mapping table (the table as it is is kept as a numbered backup)', () => {
      const lines = [...panel.querySelectorAll('.retarget input:checked')].map((tick) => Number(tick.dataset.line));
      apply(lines);
    });
    go.id = 'apply-confirm';
    go.disabled = added + preview.no_mapping_rows.length + preview.retargets.length === 0;
    const no = button('Cancel', 'change nothing', cancel);
    no.id = 'apply-cancel';
    parts.push(make('div', 'apply-buttons'));
    parts[parts.length - 1].append(go, no);
    panel.replaceChildren(...parts);
    byId('status').after(panel);
    return go;
  }

  function close() {
    const panel = byId('apply-box');
    if (panel) panel.remove();
  }

  return { drawPreview, close };
})(ZorPageDom);
