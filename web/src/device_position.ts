// "Use this device's position" in the calculator: the browser's geolocation, asked only when the
// button is pressed, fills Latitude and Longitude in decimal degrees. A GPS answers without the
// network; nothing leaves the page. Denied, unavailable or too slow, a message says so.
import { pageText } from "./page_texts.js";

const WAIT_MS = 30_000;
// 0.00001° is about a metre, finer than the 0.01' (18 m) the beacon carries.
const DECIMALS = 5;

export class DevicePosition {
  private readonly button = document.createElement("button");
  private readonly status = document.createElement("p");

  constructor(
    place: HTMLElement,
    private readonly fill: (latitude: string, longitude: string) => void,
  ) {
    this.button.type = "button";
    this.button.id = "useDevicePosition";
    this.button.textContent = pageText("useDevicePosition");
    this.button.title = pageText("useDevicePositionHint");
    this.button.setAttribute("aria-describedby", "devicePositionStatus");
    this.status.id = "devicePositionStatus";
    this.status.className = "hint";
    this.status.setAttribute("role", "status");
    this.button.addEventListener("click", () => this.ask());
    place.append(this.button, this.status);
  }

  private ask(): void {
    if (!("geolocation" in navigator)) {
      this.say(pageText("devicePositionNone"));
      return;
    }
    this.button.disabled = true;
    this.say(pageText("devicePositionAsking"));
    navigator.geolocation.getCurrentPosition(
      (position) => {
        const { latitude, longitude, accuracy } = position.coords;
        this.fill(latitude.toFixed(DECIMALS), longitude.toFixed(DECIMALS));
        this.done(pageText("devicePositionFilled", String(Math.round(accuracy))));
      },
      (error) => {
        const said = {
          [error.PERMISSION_DENIED]: pageText("devicePositionDenied"),
          [error.POSITION_UNAVAILABLE]: pageText("devicePositionUnavailable"),
          [error.TIMEOUT]: pageText("devicePositionTimeout"),
        }[error.code];
        this.done(said ?? pageText("devicePositionUnavailable"));
      },
      { enableHighAccuracy: true, timeout: WAIT_MS, maximumAge: 0 },
    );
  }

  private done(text: string): void {
    this.button.disabled = false;
    this.say(text);
  }

  private say(text: string): void {
    this.status.textContent = text;
  }
}
