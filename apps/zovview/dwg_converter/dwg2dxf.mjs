// dwg2dxf.mjs FILE.dwg: writes FILE.DXF beside FILE.dwg through LibreDWG
// compiled to WebAssembly (@mlightcad/libredwg-web). The DXF is written under
// a temporary name and renamed when whole. Every failure is one line on stderr
// and exit code 1; 0 only when the DXF stands.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

// The version mark of the first six bytes, and the release that wrote it.
const kVersions = new Map([
  ['AC1.2', 'R1.2'], ['AC1.40', 'R1.40'], ['AC1.50', 'R2.0'], ['AC2.10', 'R2.10'],
  ['AC2.21', 'R2.21'], ['AC2.22', 'R2.22'], ['AC1002', 'R2.5'], ['AC1003', 'R2.6'],
  ['AC1004', 'R9'], ['AC1006', 'R10'], ['AC1009', 'R11/R12'],
  ['AC1012', 'R13'], ['AC1014', 'R14'], ['AC1015', 'AutoCAD 2000'],
  ['AC1018', 'AutoCAD 2004'], ['AC1021', 'AutoCAD 2007'], ['AC1024', 'AutoCAD 2010'],
  ['AC1027', 'AutoCAD 2013'], ['AC1032', 'AutoCAD 2018'],
]);

// LibreDWG's error bits (its dwg.h); from 128 on the drawing could not be read.
const kCriticalError = 128;
const kErrorNames = [
  [128, 'classes not found'], [256, 'section not found'], [512, 'page not found'],
  [1024, 'internal error'], [2048, 'invalid or damaged DWG'], [4096, 'read error'],
  [8192, 'out of memory'],
];

class ConversionError extends Error {}

function versionOf(bytes) {
  const head = bytes.subarray(0, 6).toString('latin1');
  const mark = [...kVersions.keys()].find((known) => head.startsWith(known));
  if (mark !== undefined) return { mark, release: kVersions.get(mark) };
  if (/^AC[0-9.]{4}/.test(head)) {
    throw new ConversionError(`DWG version ${head} is not one this converter reads ` +
                              '(R1.2 to AutoCAD 2018)');
  }
  throw new ConversionError('not a DWG drawing (no AutoCAD version mark at its start)');
}

function errorText(code) {
  const names = kErrorNames.filter(([bit]) => code & bit).map(([, name]) => name);
  return `${names.join(', ') || 'error'} (LibreDWG error ${code})`;
}

// LibreDWG writes every layer of the LAYER table with a negative colour, the
// mark of a layer switched off, which would leave the drawing black. The
// colours are made positive; pairs of lines stay aligned since no DXF value
// spans lines. Bytes pass through unchanged (latin1 maps them one to one).
function turnLayersOn(dxf) {
  const lines = dxf.toString('latin1').split('\n');
  let table = '';
  let inLayer = false;
  let expectTableName = false;
  for (let i = 0; i + 1 < lines.length; i += 2) {
    const code = lines[i].trim();
    const value = lines[i + 1].trim();
    if (code === '0') {
      expectTableName = value === 'TABLE';
      if (value === 'ENDTAB') table = '';
      inLayer = table === 'LAYER' && value === 'LAYER';
    } else if (code === '2' && expectTableName) {
      table = value;
      expectTableName = false;
    } else if (code === '62' && inLayer && value.startsWith('-')) {
      lines[i + 1] = lines[i + 1].replace('-', ' ');
    }
  }
  return Buffer.from(lines.join('\n'), 'latin1');
}

function writeWhole(target, bytes) {
  const temporary = `${target}.${process.pid}.tmp`;
  try {
    fs.writeFileSync(temporary, bytes, { flag: 'wx' });
    fs.renameSync(temporary, target);
  } catch (error) {
    fs.rmSync(temporary, { force: true });
    throw new ConversionError(`cannot write ${target}: ${error.message}`);
  }
}

async function convert(dwgPath) {
  let dwg;
  try {
    dwg = fs.readFileSync(dwgPath);
  } catch (error) {
    throw new ConversionError(`cannot read ${dwgPath}: ${error.message}`);
  }
  const version = versionOf(dwg);
  const here = path.dirname(fileURLToPath(import.meta.url));
  const glue = path.join(here, 'node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.js');
  if (!fs.existsSync(glue)) {
    throw new ConversionError('LibreDWG is not installed beside the converter; run scripts/setup.sh');
  }
  const { default: createModule } = await import(pathToFileURL(glue).href);
  const libredwg = await createModule({ print: () => {}, printErr: () => {} });
  libredwg.FS.writeFile('/drawing.dwg', dwg);
  let code;
  try {
    code = libredwg.dwg_write_dxf('/drawing.dwg', '/drawing.dxf');
  } catch (error) {
    // A trap inside the WebAssembly module (a bad memory access, an abort).
    throw new ConversionError(`the converter crashed on this ${version.release} drawing ` +
                              `(${version.mark}): ${error.message}`);
  }
  const made = libredwg.FS.analyzePath('/drawing.dxf').exists;
  if (code >= kCriticalError || !made) {
    throw new ConversionError(`this ${version.release} drawing (${version.mark}) could not be ` +
                              `read: ${errorText(code)}`);
  }
  const dxf = turnLayersOn(Buffer.from(libredwg.FS.readFile('/drawing.dxf')));
  const parts = path.parse(dwgPath);
  writeWhole(path.join(parts.dir, `${parts.name}.DXF`), dxf);
}

if (process.argv.length !== 3) {
  process.stderr.write('usage: dwg2dxf.mjs FILE.dwg\n');
  process.exit(2);
}
try {
  await convert(process.argv[2]);
} catch (error) {
  const text = error instanceof ConversionError ? error.message : `the converter failed: ${error}`;
  process.stderr.write(`${text}\n`);
  process.exitCode = 1;
}
