// What SEND would write, live: first for people, the fields that go out differently from the form,
// in GPSless Mode the beacon read back as a position, and every run of bytes and how the tracker
// reads it; then, behind a disclosure for the expert, the 170 wire bytes in hex with both
// lead-ins, the block boundary and both checksums marked. Only what changed is written again.
import type { BuildFailure, Preview, Texts, WireRange } from "./core.js";
import { element, setText } from "./dom.js";
import { pageText } from "./page_texts.js";
import { withValues } from "./with_values.js";

const COLUMNS = 16;

function hex(byte: number): string {
  return byte.toString(16).toUpperCase().padStart(2, "0");
}

// Writes only what changed, so that an unchanged row costs no layout.

export class PreviewView {
  private readonly cells: HTMLTableCellElement[] = [];
  private readonly rows = element("wireRanges", HTMLTableElement).tBodies[0]!;
  private shownBytes: Uint8Array = new Uint8Array();
  // Per row of the ranges, what it shows, so that an unchanged row is not touched.
  private shownRows: string[] = [];
  private shownPlaces = "";
  private ranges: WireRange[] = [];
  private marked: WireRange | null = null;

  constructor(
    wireSize: number,
    private readonly words: Texts,
  ) {
    const table = element("wireBytes", HTMLTableElement);
    const head = table.tHead!.insertRow();
    head.append(document.createElement("td"));
    for (let column = 0; column < COLUMNS; ++column) {
      const th = document.createElement("th");
      th.scope = "col";
      th.textContent = `+${column}`;
      head.append(th);
    }
    const body = table.tBodies[0]!;
    for (let first = 0; first < wireSize; first += COLUMNS) {
      const row = body.insertRow();
      const th = document.createElement("th");
      th.scope = "row";
      th.textContent = String(first);
      row.append(th);
      for (let byte = first; byte < Math.min(first + COLUMNS, wireSize); ++byte) this.cells.push(row.insertCell());
    }
    this.focusableWhileScrolling(element("wireBytesScroll"));
    body.addEventListener("mouseover", (event) => {
      const cell = (event.target as HTMLElement).closest("td");
      const byte = cell ? this.cells.indexOf(cell) : -1;
      if (cell && byte >= 0) cell.title = this.tipOf(byte);
    });
  }

  // On a narrow screen the bytes scroll sideways: the keyboard scrolls them once it has the focus
  // there. Where they fit, the region is no stop of Tab.
  private focusableWhileScrolling(region: HTMLElement): void {
    new ResizeObserver(() => {
      if (region.scrollWidth > region.clientWidth) region.tabIndex = 0;
      else region.removeAttribute("tabindex");
    }).observe(region);
  }

  show(preview: Preview | BuildFailure): void {
    element("previewFailure").hidden = preview.ok;
    element("previewBuilt").hidden = !preview.ok;
    if (!preview.ok) {
      element("previewReason").textContent = preview.reason;
      return;
    }
    this.showBytes(preview);
    const notes = preview.notes.map((note) => note.shown);
    setText(
      element("previewNotes"),
      notes.length === 0 ? this.word("noNotes") : `${this.word("notesHeading")}\n${notes.join("\n")}`,
    );
    const position = element("previewPosition");
    position.hidden = preview.position === undefined;
    if (preview.position) {
      setText(
        position,
        preview.position.ok
          ? this.word("beaconPosition", preview.position.description)
          : this.word("beaconUnread", preview.position.reason),
      );
    }
  }

  private showBytes(preview: Preview): void {
    // A typed character changes a byte or two and the checksums: only those cells are written.
    preview.wire.forEach((byte, i) => {
      if (this.shownBytes[i] === byte) return;
      this.cells[i]!.textContent = hex(byte);
    });
    this.shownBytes = preview.wire;
    this.ranges = preview.ranges;
    const places = preview.ranges.map((r) => `${r.first}+${r.size}${r.part}${r.block}`).join(" ");
    if (places !== this.shownPlaces) {
      this.shownPlaces = places;
      this.paintParts();
    }
    this.showRanges();
  }

  // Each byte's colour by its part; what a byte holds is its tip, made when the pointer reaches it.
  private paintParts(): void {
    const parts: string[] = this.cells.map(() => "");
    for (const range of this.ranges) {
      for (let i = range.first; i < range.first + range.size; ++i) {
        if (range.part === "leadIn") parts[i] = "lead";
        else if (range.part === "checksum") parts[i] = "sum";
        else parts[i] ||= range.block === 1 ? "block1" : "block2";
      }
    }
    this.cells.forEach((cell, i) => {
      const className = parts[i]! + (this.isMarked(i) ? " marked" : "");
      if (cell.className !== className) cell.className = className;
    });
  }

  private tipOf(byte: number): string {
    const block = byte < this.cells.length / 2 ? 1 : 2;
    const lines = [this.word("byteTip", String(byte)).replace("%2", String(block))];
    for (const range of this.ranges) {
      if (byte >= range.first && byte < range.first + range.size)
        lines.push(withValues(this.words["rangeTip"] ?? "", range.name, range.meaning));
    }
    return lines.join("\n");
  }

  private showRanges(): void {
    while (this.rows.rows.length > this.ranges.length) this.rows.deleteRow(-1);
    while (this.rows.rows.length < this.ranges.length) {
      const row = this.rows.insertRow();
      const button = document.createElement("button");
      button.type = "button";
      button.addEventListener("click", () => this.mark(row.sectionRowIndex));
      row.insertCell().append(button);
      row.insertCell();
      row.insertCell();
    }
    this.shownRows.length = this.ranges.length;
    this.ranges.forEach((range, i) => {
      const current = String(this.marked !== null && this.sameRange(range, this.marked));
      const shown = `${range.first}+${range.size}\n${range.name}\n${range.meaning}\n${current}`;
      if (this.shownRows[i] === shown) return;
      this.shownRows[i] = shown;
      const row = this.rows.rows[i]!;
      const span = range.size === 1 ? String(range.first) : `${range.first}..${range.first + range.size - 1}`;
      const button = row.cells[0]!.firstElementChild as HTMLButtonElement;
      setText(button, span);
      button.setAttribute("aria-label", pageText("markBytes", span, range.name));
      setText(row.cells[1]!, range.name);
      setText(row.cells[2]!, range.meaning);
      row.setAttribute("aria-current", current);
    });
  }

  private mark(index: number): void {
    const range = this.ranges[index];
    this.marked = range && !(this.marked && this.sameRange(range, this.marked)) ? range : null;
    // Marked bytes are to be seen.
    if (this.marked) element("wireBytesDetails", HTMLDetailsElement).open = true;
    this.paintParts();
    this.showRanges();
  }

  private sameRange(a: WireRange, b: WireRange): boolean {
    return a.first === b.first && a.size === b.size && a.name === b.name;
  }

  private isMarked(byte: number): boolean {
    return this.marked !== null && byte >= this.marked.first && byte < this.marked.first + this.marked.size;
  }

  // The core's text of `key`, "%1" in it replaced by `value`.
  private word(key: string, value = ""): string {
    return withValues(this.words[key] ?? "", value);
  }
}
