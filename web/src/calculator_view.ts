// The GPSless calculator: latitude, longitude and altitude in, the APRS position text written into
// the beacon field, which stays pale yellow until the calculator is closed. It stays beside the
// form, which remains usable.
import type { CalculatorInputs, Core, Texts } from "./core.js";
import { element } from "./dom.js";
import type { FormView } from "./form_view.js";
import { RuledInput } from "./input_rule.js";

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
  private readonly words: Texts;

  constructor(
    private readonly core: Core,
    private readonly form: FormView,
  ) {
    this.words = core.texts();
    const rules = core.calculatorRules();
    this.latitude = new RuledInput(element("txtLat", HTMLInputElement), rules.latitude);
    this.longitude = new RuledInput(element("txtLng", HTMLInputElement), rules.longitude);
    this.altitude = new RuledInput(element("txtAlt", HTMLInputElement), rules.altitude);
    for (const coordinate of [this.latitude, this.longitude]) {
      coordinate.input.addEventListener("input", () => this.revalidate());
    }
    this.cent.addEventListener("change", () => this.centChanged());
    this.altitudeIncluded.addEventListener("change", () => this.altitudeChanged());
    this.write.addEventListener("click", () => this.writeBeacon());
    element("calcClose").addEventListener("click", () => this.close());
    this.dialog.addEventListener("keydown", (event) => {
      if (event.key === "Escape") this.close();
    });
  }

  // Opens beside the form, or brings it forward, with the latitude selected for typing.
  open(): void {
    if (!this.dialog.open) this.dialog.show();
    this.latitude.input.focus();
    this.latitude.input.select();
  }

  inputs(): CalculatorInputs {
    return {
      latitude: this.latitude.input.value,
      longitude: this.longitude.input.value,
      centChecked: this.cent.checked ? 1 : 0,
      altitude: this.altitude.input.value,
      altitudeChecked: this.altitudeIncluded.checked ? 1 : 0,
      normalForm: this.normal.checked,
    };
  }

  /** As Load writes them, whether the calculator is open or not. */
  setInputs(inputs: CalculatorInputs): void {
    this.latitude.write(inputs.latitude);
    this.longitude.write(inputs.longitude);
    this.cent.checked = inputs.centChecked !== 0;
    this.altitude.write(inputs.altitude);
    this.altitudeIncluded.checked = inputs.altitudeChecked !== 0;
    (inputs.normalForm ? this.normal : this.compressed).checked = true;
    this.centChanged();
    this.altitudeChanged();
  }

  private revalidate(): void {
    const { latitude, longitude, centChecked } = this.inputs();
    this.write.disabled = !this.core.validateCoordinates(latitude, longitude, centChecked === 1).ok;
  }

  private centChanged(): void {
    this.revalidate();
    element("coordinatesCaption").textContent =
      (this.cent.checked ? this.words.coordinatesCent : this.words.coordinatesSec) ?? "";
  }

  private altitudeChanged(): void {
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
    if (!position.ok) return;
    this.altitude.write(position.altitude);
    this.form.writeText("beacon", position.text);
    this.form.control("beacon").classList.add("written");
  }

  private close(): void {
    this.dialog.close();
    this.form.control("beacon").classList.remove("written");
    element("openCalculator").focus();
  }
}
