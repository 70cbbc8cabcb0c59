// The GPSless calculator: latitude, longitude and altitude in, the APRS position text written into
// the beacon field, which stays pale yellow until the calculator is closed. It stays beside the
// form, which remains usable.
import { checkValue, writeCheck } from "./check_state.js";
import type { CalculatorInputs, Core, Texts } from "./core.js";
import { element } from "./dom.js";
import { DevicePosition } from "./device_position.js";
import type { FormView } from "./form_view.js";
import { RuledInput } from "./input_rule.js";
import { SpokenAfterPause } from "./spoken_after_pause.js";
import { withValues } from "./with_values.js";

// Between the calculator over the page's corner and what the page scrolls above it.
const ROOM_GAP_PX = 16;

export class CalculatorView {
  private readonly dialog = element("calculator", HTMLDialogElement);
  private readonly latitude: RuledInput;
  private readonly longitude: RuledInput;
  private readonly altitude: RuledInput;
  private readonly cent = element("chkCent", HTMLInputElement);
  private readonly altitudeIncluded = element("chkAlt", HTMLInputElement);
  private readonly normal = element("optLLtoNorm", HTMLInputElement);
  private readonly compressed = element("optLLtoComp", HTMLInputElement);
  private readonly write = element("cmdCalc", HTMLButtonElement);
  private readonly locator = document.createElement("output");
  private readonly reason = element("calcReason");
  private readonly locatorSpoken: SpokenAfterPause;
  private readonly reasonSpoken = new SpokenAfterPause(this.reason);
  private readonly words: Texts;
  // It stood over the page's corner when last laid out.
  private over = false;

  constructor(
    private readonly core: Core,
    private readonly form: FormView,
  ) {
    this.words = core.texts();
    const rules = core.calculatorRules();
    this.latitude = new RuledInput(element("txtLat", HTMLInputElement), rules.latitude);
    this.longitude = new RuledInput(element("txtLng", HTMLInputElement), rules.longitude);
    this.altitude = new RuledInput(element("txtAlt", HTMLInputElement), rules.altitude);
    for (const input of [this.latitude, this.longitude, this.altitude]) {
      input.input.addEventListener("input", () => this.revalidate());
    }
    for (const choice of [this.normal, this.compressed]) choice.addEventListener("change", () => this.revalidate());
    this.locator.id = "calcLocator";
    this.write.after(this.locator);
    this.locatorSpoken = new SpokenAfterPause(this.locator);
    const notations = document.createElement("p");
    notations.id = "calcNotations";
    notations.className = "hint";
    notations.textContent = this.words["notationsShown"] ?? "";
    element("coordinatesFrame").append(notations);
    new DevicePosition(element("coordinatesFrame"), (latitude, longitude) => {
      this.latitude.write(latitude);
      this.longitude.write(longitude);
      this.revalidate();
    });
    this.cent.addEventListener("change", () => this.centChanged());
    this.altitudeIncluded.addEventListener("change", () => this.altitudeChanged());
    this.write.addEventListener("click", () => this.writeBeacon());
    element("calcClose").addEventListener("click", () => this.close());
    // An Esc that cancels an input method's text under way is the input method's.
    this.dialog.addEventListener("keydown", (event) => {
      if (event.key === "Escape" && !event.isComposing) this.close();
    });
    // Opened, closed or grown, it may cover more or less of the page.
    new ResizeObserver(() => this.keepRoom()).observe(this.dialog);
  }

  // Opens beside the form, or brings it forward, with the latitude selected for typing; what Write
  // would write is judged again with the form's symbol as it is now.
  open(): void {
    this.revalidate();
    if (!this.dialog.open) this.dialog.show();
    this.latitude.input.focus();
    this.latitude.input.select();
  }

  inputs(): CalculatorInputs {
    return {
      latitude: this.latitude.input.value,
      longitude: this.longitude.input.value,
      centChecked: checkValue(this.cent),
      altitude: this.altitude.input.value,
      altitudeChecked: checkValue(this.altitudeIncluded),
      normalForm: this.normal.checked,
    };
  }

  /** As Load writes them, whether the calculator is open or not. */
  setInputs(inputs: CalculatorInputs): void {
    this.latitude.write(inputs.latitude);
    this.longitude.write(inputs.longitude);
    writeCheck(this.cent, inputs.centChecked);
    this.altitude.write(inputs.altitude);
    writeCheck(this.altitudeIncluded, inputs.altitudeChecked);
    (inputs.normalForm ? this.normal : this.compressed).checked = true;
    this.centChanged();
    this.altitudeChanged();
  }

  // Write follows whether the inputs name a position, in any notation; a locator in Latitude
  // stands for both coordinates, and Longitude waits, greyed, until it is gone. Beside Write, the
  // locator of what it would write; below it, while it is grey, why.
  private revalidate(): void {
    const checked = this.core.checkPosition(this.inputs());
    this.write.disabled = !checked.ok;
    this.showReason(checked.ok ? "" : this.core.sentence(checked.reason));
    const locator = checked.locator === true;
    this.longitude.input.disabled = locator;
    this.longitude.input.title = locator ? (this.words["longitudeFromLocator"] ?? "") : "";
    const position = checked.ok
      ? this.core.calculatePosition(this.inputs(), this.form.text("symbol"), this.form.checked("alternateTable"))
      : undefined;
    this.locator.textContent =
      position?.ok === true ? withValues(this.words["locatorShown"] ?? "", position.locator) : "";
    this.locatorSpoken.changed();
    this.reasonSpoken.changed();
  }

  private centChanged(): void {
    this.revalidate();
    element("coordinatesCaption").textContent =
      (this.cent.checked ? this.words.coordinatesCent : this.words.coordinatesSec) ?? "";
  }

  private altitudeChanged(): void {
    this.revalidate();
    const included = this.altitudeIncluded.checked;
    element("normalCaption").textContent = (included ? this.words.normalFormWithAltitude : this.words.normalForm) ?? "";
    this.altitude.input.disabled = !included;
    element("altitudeUnit").classList.toggle("disabled", !included);
  }

  // Checks again whatever reached the fields; an input that makes no position writes nothing.
  private writeBeacon(): void {
    this.revalidate();
    const position = this.core.calculatePosition(
      this.inputs(),
      this.form.text("symbol"),
      this.form.checked("alternateTable"),
    );
    if (!position.ok) {
      this.showReason(withValues(this.words["nothingWritten"] ?? "", position.reason));
      this.reasonSpoken.now();
      return;
    }
    this.altitude.write(position.altitude);
    this.form.writeText("beacon", position.text);
    this.form.control("beacon").classList.add("written");
  }

  // Also the button's tip, which a grey button still shows. The reason quotes what Load put in
  // the fields too: hidden characters show by their code.
  private showReason(reason: string): void {
    const text = this.core.visibleText(reason);
    this.reason.textContent = text;
    this.write.title = text;
  }

  // Over the page's corner it would hide the controls Tab reaches below it, and the page's last
  // lines for good: the page keeps room for it under its end and scrolls what has the focus above
  // it. In the page's flow, on a phone, it needs none.
  private keepRoom(): void {
    const over = this.dialog.open && getComputedStyle(this.dialog).position === "fixed";
    const room = over ? `${Math.ceil(this.dialog.getBoundingClientRect().height) + ROOM_GAP_PX}px` : "";
    document.documentElement.style.setProperty("--calculator-room", room);
    // Gone into the page's flow (a phone turned on its side, a keyboard that left the screen low),
    // the field being typed in would stay where the panel stood, out of sight: it comes along.
    const focused = document.activeElement;
    if (this.over && !over && focused instanceof HTMLElement && this.dialog.contains(focused))
      focused.scrollIntoView({ block: "center" });
    this.over = over;
  }

  private close(): void {
    this.dialog.close();
    this.form.control("beacon").classList.remove("written");
    element("openCalculator").focus();
  }
}
