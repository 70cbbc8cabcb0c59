// The settings form's markup, made from the core's field table when the page is built, so that
// the form shows, with the factory defaults, before the WebAssembly is ready. The groups, lines,
// labels, units, hints, counters and buttons are the table's, as the desktop window draws them;
// the page adds only its own controls (the file chooser and the name Save gives the file), and
// shows Baud in its connection area, beside the adapter whose line speed it is.
import type { ActionInfo, FieldInfo, Form, GroupInfo, Texts } from "./core.js";
import { withValues } from "./with_values.js";

export interface FormModel {
  fields: FieldInfo[];
  groups: GroupInfo[];
  actions: ActionInfo[];
  texts: Texts;
  defaults: Form;
  counter(most: number, left: number): { shown: string; spoken: string };
}

// The page's own controls: in a line after the table's, or as lines after one.
const PAGE_OWN_IN_LINE: Record<string, Record<number, string>> = {
  programming: {
    0: '<input type="file" id="loadFile" accept=".cfg" class="visually-hidden" tabindex="-1" aria-hidden="true">',
  },
};
// "Save as" takes a file name's length, the systems' limit: a pasted page of text with
// direction-changing characters in it would hold up the browser's layout for a minute.
const PAGE_OWN_AFTER_LINE: Record<string, Record<number, string>> = {
  programming: {
    0:
      '<div class="row"><label for="saveName">{{saveAs}}</label><input id="saveName" class="file-name" ' +
      'value="{{cfgDefaultName}}" maxlength="255" spellcheck="false" aria-describedby="hintDrop"></div>\n' +
      '<p class="hint" id="hintDrop">{{loadHint}}</p>',
  },
};
// Fields the page shows outside their group, where the template has "<!-- field NAME -->".
const PLACED_APART = new Set(["baudRate"]);

export function escapeHtml(text: string): string {
  return text.replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c] ?? c);
}

function attributes(values: Record<string, string | number | boolean | undefined>): string {
  let text = "";
  for (const [name, value] of Object.entries(values)) {
    if (value === undefined || value === false || value === "") continue;
    text += value === true ? ` ${name}` : ` ${name}="${escapeHtml(String(value))}"`;
  }
  return text;
}

/** A caption with "&" before the letter Alt presses it with: that letter underlined; "&&" is an "&". */
export function mnemonicHtml(caption: string): string {
  let html = "";
  for (let i = 0; i < caption.length; ++i) {
    const c = caption[i]!;
    if (c === "&" && i + 1 < caption.length) {
      const next = caption[++i]!;
      html += next === "&" ? "&amp;" : `<u>${escapeHtml(next)}</u>`;
    } else {
      html += escapeHtml(c);
    }
  }
  return html;
}

/** "Control+S Alt+S": the keys a button answers to, as aria-keyshortcuts names them. */
export function keyShortcuts(caption: string, shortcut: string): string {
  const keys = shortcut ? [shortcut.replace(/^Ctrl\+/, "Control+")] : [];
  const mnemonic = /&([^&])/.exec(caption.replaceAll("&&", ""));
  if (mnemonic) keys.push(`Alt+${mnemonic[1]!.toUpperCase()}`);
  return keys.join(" ");
}

function counterHtml(field: FieldInfo, value: string, model: FormModel, pushed: boolean): string {
  const { shown, spoken } = model.counter(field.rule.maxLength, field.rule.maxLength - value.length);
  return (
    `<output id="${field.name}Counter" class="counter${pushed ? " push" : ""}" for="${field.name}">` +
    `<span aria-hidden="true">${escapeHtml(shown)}</span>` +
    `<span class="visually-hidden" id="${field.name}CounterWords">${escapeHtml(spoken)}</span></output>`
  );
}

class Builder {
  private readonly byGroup = new Map<string, FieldInfo[]>();

  constructor(private readonly model: FormModel) {
    for (const field of model.fields) {
      if (PLACED_APART.has(field.name)) continue;
      const list = this.byGroup.get(field.place.group) ?? [];
      list.push(field);
      this.byGroup.set(field.place.group, list);
    }
  }

  form(): string {
    const groups = this.model.groups.filter((g) => g.parent === g.name);
    return groups.map((g) => this.group(g, "group")).join("\n");
  }

  private group(group: GroupInfo, kind: "group" | "sub"): string {
    const legendClass = group.caption.includes("  ") ? ' class="keep-spaces"' : "";
    const legend = group.caption ? `<legend${legendClass}>${escapeHtml(group.caption)}</legend>\n` : "";
    const subs = this.model.groups.filter((g) => g.parent === group.name && g.name !== group.name);
    let body: string;
    if (subs.length > 0) {
      const columns = [...new Set(subs.map((s) => s.column))].sort((a, b) => a - b);
      body =
        '<div class="columns">\n' +
        columns
          .map(
            (column) =>
              "<div>\n" +
              subs
                .filter((s) => s.column === column)
                .map((s) => (s.caption ? this.group(s, "sub") : this.lines(s)))
                .join("\n") +
              "\n</div>",
          )
          .join("\n") +
        "\n</div>";
    } else {
      body = group.table ? this.table(group) : this.lines(group);
    }
    const id = kind === "group" ? ` id="${group.name}Group"` : "";
    return `<fieldset class="${kind}"${id}>\n${legend}${body}\n</fieldset>`;
  }

  private linesOf(group: GroupInfo): { fields: FieldInfo[]; actions: ActionInfo[] }[] {
    const lines: { fields: FieldInfo[]; actions: ActionInfo[] }[] = [];
    const line = (n: number) => {
      while (lines.length <= n) lines.push({ fields: [], actions: [] });
      return lines[n]!;
    };
    for (const field of this.byGroup.get(group.name) ?? []) line(field.place.line).fields.push(field);
    for (const action of this.model.actions) if (action.group === group.name) line(action.line).actions.push(action);
    return lines;
  }

  private lines(group: GroupInfo): string {
    const out: string[] = [];
    let countersBelow: FieldInfo[] = [];
    this.linesOf(group).forEach((line, n) => {
      for (const field of line.fields) {
        if (field.texts.caption)
          out.push(`<p class="caption" id="${field.name}Caption">${escapeHtml(field.texts.caption)}</p>`);
        if (field.place.label === "above") out.push(`<p class="caption">${this.label(field)}</p>`);
      }
      const items: string[] = [];
      const pushed: string[] = [];
      for (const field of line.fields) (field.place.pushed ? pushed : items).push(this.field(field));
      for (const action of line.actions) (action.pushed ? pushed : items).push(this.action(action));
      const own = PAGE_OWN_IN_LINE[group.name]?.[n];
      if (own) items.push(own);
      for (const field of countersBelow)
        pushed.push(counterHtml(field, this.value(field), this.model, pushed.length === 0));
      countersBelow = line.fields.filter((f) => f.place.counter === "below");
      if (items.length + pushed.length === 0) return;
      const wide = line.fields.some((f) => f.input === "text" && f.place.width === 0);
      const buttons = line.fields.length === 0 && line.actions.length > 0;
      const classes = `row${wide ? " wide" : ""}${buttons ? " buttons" : ""}`;
      out.push(`<div class="${classes}">\n${[...items, ...pushed].join("\n")}\n</div>`);
      for (const field of line.fields) {
        if (field.place.noteBelow)
          out.push(`<p class="note" id="${field.name}Note">${escapeHtml(this.text("gpslessNote"))}</p>`);
      }
      const after = PAGE_OWN_AFTER_LINE[group.name]?.[n];
      if (after) out.push(after);
    });
    return out.join("\n");
  }

  // Each line a label, its field and its unit, in the columns of a grid.
  private table(group: GroupInfo): string {
    const cells = this.linesOf(group).flatMap((line) =>
      line.fields.map((field) => `${this.label(field)}\n${this.control(field)}\n${this.unit(field)}`),
    );
    return `<div class="bands">\n${cells.join("\n")}\n</div>`;
  }

  // The core's text of `key`; a page made without it would be wrong.
  private text(key: string): string {
    const text = this.model.texts[key];
    if (text === undefined) throw new Error(`the core has no text "${key}"`);
    return text;
  }

  private value(field: FieldInfo): string {
    return String(this.model.defaults[field.name] ?? "");
  }

  private label(field: FieldInfo): string {
    const spoken = field.texts.spokenName !== field.texts.shownLabel ? field.texts.spokenName : undefined;
    return `<label${attributes({ for: field.name, id: `${field.name}Label`, "aria-label": spoken })}>${escapeHtml(field.texts.shownLabel)}</label>`;
  }

  // The unit right of the field and, where a screen reader says it in other words, those.
  private unit(field: FieldInfo): string {
    const spoken = field.place.counter === "none" ? this.spokenUnit(field) : "";
    const id = `${field.name}Unit`;
    const said = spoken ? `<span class="visually-hidden" id="${id}">${escapeHtml(spoken)}</span>` : "";
    if (!field.texts.unit) return said;
    if (!said) return `<span class="unit" id="${id}">${escapeHtml(field.texts.unit)}</span>`;
    return `<span class="unit"><span aria-hidden="true">${escapeHtml(field.texts.unit)}</span>${said}</span>`;
  }

  private spokenUnit(field: FieldInfo): string {
    if (field.texts.spokenUnit || field.input !== "text") return field.texts.spokenUnit;
    return withValues(this.text("atMostCharacters"), String(field.rule.maxLength));
  }

  // What a screen reader says of the field, as the window's description: its unit or limit, or
  // for a counted text its limit and what is left; the GPSless note.
  private describedBy(field: FieldInfo): string | undefined {
    const ids: string[] = [];
    if (field.place.counter !== "none") ids.push(`${field.name}CounterWords`);
    else if (field.texts.unit || this.spokenUnit(field)) ids.push(`${field.name}Unit`);
    if (field.place.noteBelow) ids.push(`${field.name}Note`);
    return ids.length > 0 ? ids.join(" ") : undefined;
  }

  private control(field: FieldInfo): string {
    const value = this.value(field);
    const { maxLength, upperCase } = field.rule;
    switch (field.input) {
      case "digits":
      case "symbol":
        return `<span class="masked"><input${attributes({
          id: field.name,
          inputmode: field.input === "digits" ? "numeric" : undefined,
          size: maxLength,
          maxlength: maxLength,
          value,
          "aria-describedby": this.describedBy(field),
        })}></span>`;
      case "text":
        return `<input${attributes({
          id: field.name,
          class: "text",
          size: field.place.width || undefined,
          maxlength: maxLength,
          value,
          spellcheck: "false",
          autocapitalize: upperCase ? "characters" : undefined,
          title: field.texts.hint,
          "aria-describedby": this.describedBy(field),
        })}>`;
      case "flag":
        return `<input type="checkbox"${attributes({ id: field.name, checked: Number(value) === 1 })}>`;
      case "choice": {
        const chosen = Number(value);
        const options = field.choices
          .map((choice, i) => `<option${i === chosen ? " selected" : ""}>${escapeHtml(choice)}</option>`)
          .join("");
        return `<select${attributes({ id: field.name, "aria-describedby": this.describedBy(field) })}>${options}</select>`;
      }
    }
  }

  /** A field placed apart from its group, with its label and unit. */
  apart(name: string): string {
    const field = this.model.fields.find((f) => f.name === name && PLACED_APART.has(name));
    if (!field) throw new Error(`the page places no field "${name}" apart`);
    return this.field(field);
  }

  private field(field: FieldInfo): string {
    const parts: string[] = [];
    if (field.input === "flag") {
      parts.push(
        `<label class="check${field.place.bold ? " bold" : ""}" id="${field.name}Label">${this.control(field)} ${escapeHtml(field.label)}</label>`,
      );
    } else {
      if (field.place.label === "beside") parts.push(this.label(field));
      parts.push(this.control(field));
      parts.push(this.unit(field));
      if (field.place.counter === "beside") parts.push(counterHtml(field, this.value(field), this.model, false));
    }
    const html = parts.filter((p) => p).join("\n");
    if (!field.place.pushed) return html;
    return `<span class="push${field.place.gpsOnly ? " gps-only" : ""}">\n${html}\n</span>`;
  }

  private action(action: ActionInfo): string {
    const classes = [action.pushed ? "push" : "", action.gpslessOnly ? "gpsless-only" : ""].filter((c) => c);
    const caption = mnemonicHtml(action.caption);
    return `<button${attributes({
      type: "button",
      id: action.name,
      class: classes.join(" "),
      "aria-keyshortcuts": keyShortcuts(action.caption, action.shortcut),
    })}>${action.gpslessOnly ? `<span>${caption}</span>` : caption}</button>`;
  }
}

/** The settings form's groups, in the order the window shows them. */
export function formMarkup(model: FormModel): string {
  return new Builder(model).form();
}

/**
 * The page with every "{{key}}" replaced by the core's text of that key, every "{{keys key Shortcut}}"
 * by the keys that text's caption answers to, every "{{join key first second}}" by two texts joined
 * in the words of a third ("%1: %2", which French writes with a no-break space), and the form's
 * place by the form.
 */
export function pageMarkup(template: string, model: FormModel): string {
  const builder = new Builder(model);
  const textOf = (key: string): string => {
    const text = model.texts[key];
    if (text === undefined) throw new Error(`the core has no text "${key}"`);
    return text;
  };
  return template
    .replace("<!-- the settings form -->", builder.form())
    .replace(/<!-- field (\w+) -->/g, (_, name: string) => builder.apart(name))
    .replace(/\{\{keys (\w+)(?: ([\w+]+))?\}\}/g, (_, key: string, shortcut?: string) =>
      escapeHtml(keyShortcuts(textOf(key), shortcut ?? "")),
    )
    .replace(/\{\{join (\w+) (\w+) (\w+)\}\}/g, (_, join: string, first: string, second: string) =>
      mnemonicHtml(withValues(textOf(join), textOf(first), textOf(second))),
    )
    .replace(/\{\{(\w+)\}\}/g, (_, key: string) => mnemonicHtml(textOf(key)));
}
