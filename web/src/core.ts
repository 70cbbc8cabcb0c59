// The C++ core, compiled to WebAssembly (zelvar.js and zelvar.wasm). Settings cross as Latin-1:
// one character per byte, as the tracker and the .cfg files hold them; the core's messages as the
// text they are. A text beyond Latin-1 is refused with a reason, never thrown.

/** The form: texts keyed by field name ("myCall", "speedInterval0"), flags and list indexes as numbers. */
export type Form = Record<string, string | number>;

export interface CalculatorInputs {
  latitude: string;
  longitude: string;
  centChecked: number;
  altitude: string;
  altitudeChecked: number;
  normalForm: boolean;
}

export interface InputRule {
  maxLength: number;
  masked: boolean;
  upperCase: boolean;
  selectAllOnFocus: boolean;
  accepted: string;
  acceptedGpsless: string;
  /** "," goes in as the decimal point the field reads. */
  decimalComma: boolean;
}

/** Where the form shows a field, from the core's field table. */
export interface FieldPlace {
  /** The name of its group in `groups()`. */
  group: string;
  line: number;
  /** At the far end of its line. */
  pushed: boolean;
  gpsOnly: boolean;
  label: "beside" | "above" | "none";
  /** Characters wide; 0: a digit field as its digits, a text the whole line. */
  width: number;
  counter: "none" | "below" | "beside";
  /** The GPSless Mode note stands below it. */
  noteBelow: boolean;
  bold: boolean;
}

/** The words around a field, where the form shows more than its label. */
export interface FieldTexts {
  shownLabel: string;
  caption: string;
  spokenName: string;
  unit: string;
  spokenUnit: string;
  hint: string;
}

export interface FieldInfo {
  /** The field's name, its key in a form and its control's id. */
  name: string;
  label: string;
  input: "digits" | "text" | "symbol" | "flag" | "choice";
  text: boolean;
  rule: InputRule;
  choices: string[];
  place: FieldPlace;
  texts: FieldTexts;
}

export interface GroupInfo {
  name: string;
  /** Empty: no frame. */
  caption: string;
  /** Its own name for a group of the form itself. */
  parent: string;
  column: number;
  /** Its lines' labels, fields and units stand in columns. */
  table: boolean;
}

/** A button among the fields; its caption has "&" before the letter Alt presses it with. */
export interface ActionInfo {
  name: string;
  caption: string;
  group: string;
  line: number;
  pushed: boolean;
  gpslessOnly: boolean;
  shortcut: string;
}

/** The core's shown texts by their keys ("gpslessNote"); "%1" stands for what a text is given. */
export type Texts = Record<string, string>;

export type Outcome<T> = ({ ok: true } & T) | { ok: false; reason: string };

export interface BuildFailure {
  ok: false;
  reason: string;
  field: string;
  label: string;
}

export interface WireRange {
  first: number;
  size: number;
  block: number;
  part: "leadIn" | "checksum" | "setting";
  name: string;
  meaning: string;
}

export interface Preview {
  ok: true;
  wire: Uint8Array;
  ranges: WireRange[];
  settings: { name: string; value: string; first: number; size: number }[];
  /** `shown`: the text with its "->" as an arrow. */
  notes: { field: string; text: string; shown: string }[];
  position?: Outcome<{ description: string }>;
}

/** What the page's runner of SEND does next, as the core's pacer says. */
export interface SendAction {
  kind: "open" | "showProgress" | "progress" | "write" | "drain" | "waitUntil" | "close" | "finish" | "fail" | "done";
  /** Progress texts break lines with CR LF, as the desktop's dialog shows them; for fail, why. */
  text: string;
  bytes: Uint8Array;
  /** For waitUntil: the time of performance.now() to wait for. */
  atMs: number;
}

/** The core's pacing of one send, the desktop's own; delete() it once the send is over. */
export interface SendPacer {
  /**
   * The first action, then the one after the action done at `nowMs` (performance.now()), which
   * Date.now() read as `dateMs`: performance.now() stops while the computer is suspended.
   */
  next(nowMs: number, dateMs: number): SendAction;
  delete(): void;
}

/** Where SEND goes: "4800,n,8,1", Comm num's port number and the name the progress shows. */
export interface SendTarget {
  lineSettings: string;
  portNumber: number;
  portName: string;
  /** The progress text once the send has failed. */
  failedText: string;
}

/** SEND prepared as the desktop prepares it, or the build's failure; the form as the build left it. */
export type PreparedSend = (BuildFailure | { ok: true; target: SendTarget; pacer: SendPacer }) & { written: Form };

/** A note on APRS practice, as zelvar-cli check --json gives it; `line` as every front end lists it. */
export interface AdviceNote {
  rule: string;
  level: "warning" | "hint";
  field: string;
  label: string;
  text: string;
  line: string;
  why: string;
}

/** An APRS symbol; `shown` is "> — car, primary table". */
export interface AprsSymbol {
  code: string;
  alternate: boolean;
  name: string;
  overlay: boolean;
  shown: string;
}

export interface Loaded {
  ok: boolean;
  reason?: string;
  form: Form;
  calculator: CalculatorInputs;
  calculatorApplied: boolean;
}

/** A language's catalogue, as the build makes it from its .po: each text's translation (or its
 * forms, for a counting text) by "context\u0004source", and gettext's plural rule. */
export interface Catalogue {
  plural: "n != 1" | "n > 1" | "0";
  texts: Record<string, string | string[]>;
}

export interface Core {
  /** The core's messages in the catalogue's language from now on; null: the program's own. */
  useCatalogue(catalogue: Catalogue | null): void;
  fields(): FieldInfo[];
  groups(): GroupInfo[];
  actions(): ActionInfo[];
  texts(): Texts;
  /** "[33]" and what a screen reader hears of a field that takes `most` characters, `left` of them left. */
  counter(most: number, left: number): { shown: string; spoken: string };
  calculatorRules(): { latitude: InputRule; longitude: InputRule; altitude: InputRule };
  lists(): { micEMessages: string[]; baudRates: string[]; speedBands: string[] };
  defaults(): Form;
  calculatorDefaults(): CalculatorInputs;
  isGpslessTimeout(timeout: string): boolean;
  build(form: Form): (BuildFailure | { ok: true; wire: Uint8Array }) & { written: Form };
  preview(form: Form): Preview | BuildFailure;
  saveCfg(form: Form, calculator: CalculatorInputs): Outcome<{ text: string }>;
  loadCfg(text: string, form: Form, calculator: CalculatorInputs): Loaded;
  /** How many bytes of a file Load reads at most; the reader never looks further. */
  cfgReadLimit(): number;
  /** Whether the inputs name a position, in any notation; `locator`: Latitude holds a locator for both. */
  checkPosition(inputs: CalculatorInputs): Outcome<object> & { locator?: boolean };
  calculatePosition(
    inputs: CalculatorInputs,
    symbol: string,
    alternateTable: boolean,
  ): Outcome<{ text: string; feet: number; altitude: string; locator: string }>;
  /** The notes on the form as SEND would send it; `summary` is "1 warning, 2 hints", `heading` the list's. */
  advice(form: Form): Outcome<{ summary: string; heading: string; notes: AdviceNote[] }>;
  /** The symbols a search names ("car", "digi", ">"), primary table first. */
  symbols(search: string): AprsSymbol[];
  /** "> — car, primary table", or why the field holds no symbol. */
  symbolShown(symbol: string, alternate: boolean): string;
  prepareSend(form: Form): PreparedSend;
  /** Outside text as it is shown: hidden characters by their code ("NOC\\u00ADALL-9"). */
  visibleText(text: string): string;
  sentence(reason: string): string;
  /** "the field holds an invisible soft hyphen (U+00AD)", or "" when the text holds none. */
  hiddenCharactersNote(text: string): string;
  /** Port numbers start at 1: an empty Comm num gives 0, to which the desktop sends nothing. */
  checkPortNumber(portNumber: number): Outcome<object>;
  /** Line settings with no speed, from a file's Baud of -1, are refused before a port is asked. */
  checkSpeedChosen(lineSettings: string): Outcome<object>;
}

declare global {
  // Defined by zelvar.js, which the page loads before this bundle.
  function createZelvar(options?: object): Promise<Core>;
}

// A zelvar.js that did not load, or a browser without WebAssembly, fails as a rejection too.
export async function loadCore(): Promise<Core> {
  return createZelvar();
}
