// The export of decided rows, case by case: the rows and the notes under
// them for the reviewer's own decisions (another candidate, a typed key, No
// Mapping) and for the tool's, on the hand-written suggestions (hostile
// names, tied candidates, complete table rows) and on the example.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { handWrittenPage, examplePage, load } = require('./page_blocks');

const model = load('review_model.js');
const decisions = load('review_decisions.js');
const { exportRows } = load('export_rows.js');
const pages = { handWritten: handWrittenPage(), example: examplePage('example') };

const MESH = { key: 'MSH', label: 'Mesh Size' };
const PIPE = { key: 'PSZ', label: 'Pipe Size' };
const MOTOR = { key: 'MPW', label: 'Motor Power' };
const DUTY = { key: '', label: 'Duty' };
const TABLE_16 = 'Heat Exchanger: Duty: table line 16 says otherwise and a merge never replaces it; edit it to read: ';
const TABLE_11 = 'Check Valve: table line 11 says otherwise and a merge never replaces it; edit it to read: ';

// [page, what, decisions as [class key, attribute or undefined, decision],
// rows, notes]; 'tool' stands for "Accept the tool's".
const CASES = [
  ['handWritten', "the tool's", 'tool', [
    'Pump,Equipment,Motor Power,CentrifugalPump,Equipment,MotorPower,',
    'Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT,',
    'Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,',
    'Strainer,Pipe Fitting,Pipe Size,YStrainer,Valve,PipeSize,'], []],
  ['handWritten', 'another candidate, a typed key, No Mapping, the row the table holds', [
    ['PMP', MOTOR, { c: 'CentrifugalPump', k: 'Speed' }], ['STR', undefined, { k: 'YStrainer' }],
    ['STR', MESH, { c: 'YStrainer', k: 'MeshSize' }], ['STR', PIPE, { none: true }],
    ['HEX', DUTY, { c: 'ShellTubeExchanger', k: 'HeatDuty' }]], [
    'Pump,Equipment,Motor Power,CentrifugalPump,Equipment,Speed,',
    'Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT,',
    'Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,',
    'Strainer,Pipe Fitting,Pipe Size,No Mapping,'], []],
  ['handWritten', 'a hostile key spelled as the table spells it; a complete table row that says otherwise', [
    ['STR', undefined, { k: 'R&D<img>' }], ['HEX', DUTY, { c: 'ShellTubeExchanger', k: 'ThermalLoad' }]],
  ['Strainer,Pipe Fitting,*,R&amp;D<img>,Equipment,*,PIP,'],
  [TABLE_16 + 'Heat Exchanger,Equipment,Duty,ShellTubeExchanger,Equipment,ThermalLoad,']],
  ['handWritten', "a hostile attribute key typed in the hostile class's row", [
    ['STR', undefined, { k: 'R&D<img>' }], ['STR', MESH, { c: 'R&D<img>', k: 'A&B' }]],
  ['Strainer,Pipe Fitting,*,R&amp;D<img>,Equipment,*,PIP,', 'Strainer,Pipe Fitting,Mesh Size,R&amp;D<img>,Equipment,A&amp;B,'],
  []],
  ['handWritten', 'an attribute of a class with no target; No Mapping for an attribute', [
    ['STR', MESH, { c: 'YStrainer', k: 'MeshSize' }], ['PMP', MOTOR, { none: true }]],
  ['Pump,Equipment,Motor Power,No Mapping,'],
  ['Strainer: Mesh Size: the class has no target yet (decide the class first)']],
  ['handWritten', 'an attribute of a class the lookup does not find', [
    ['STR', undefined, { k: 'GateValve' }], ['STR', MESH, { c: 'YStrainer', k: 'MeshSize' }]],
  ['Strainer,Pipe Fitting,*,GateValve,Valve,*,EQT,'],
  ["Strainer: Mesh Size: YStrainer.MeshSize is out of any row's reach: a row naming YStrainer is looked up in " +
    'GateValve, the first class under Valve; map it by hand, or give GateValve the attribute in the target']],
  ['handWritten', 'No Mapping for a class', [['STR', undefined, { none: true }], ['STR', PIPE, { none: true }]],
    ['Strainer,Pipe Fitting,*,No Mapping,,*,PIP,', 'Strainer,Pipe Fitting,Pipe Size,No Mapping,'], []],
  ['example', 'Check Valve: a candidate and a typed key the table row contradicts', [['CVL', undefined, { k: 'GateValve' }]],
    [], [TABLE_11 + 'Check Valve,Valve,*,GateValve,Valve,*,EQT,']],
  ['example', 'Check Valve typed', [['CVL', undefined, { k: 'PipeStrainer' }]],
    [], [TABLE_11 + 'Check Valve,Valve,*,PipeStrainer,PipingComponent,*,EQT,']],
];

test('the rows and notes of decisions', () => {
  for (const [pageName, what, decided, rows, notes] of CASES) {
    const page = pages[pageName];
    const review = model.readReview(page.blockText, page.classKeys);
    const saved = {};
    if (decided === 'tool') decisions.acceptTheTools(review, saved);
    else {
      for (const [classKey, attribute, decision] of decided) {
        const named = decisions.itemNamed(review, classKey, attribute);
        assert.ok(named, `${what}: ${classKey} ${JSON.stringify(attribute)}`);
        decisions.setDecision(saved, ...named, decision);
      }
    }
    const out = exportRows(review, saved, page.mapping);
    assert.deepEqual({ rows: out.text.split('\n').slice(0, -1), notes: out.notes }, { rows, notes }, what);
  }
});
