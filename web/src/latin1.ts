// Files hold one byte per character. Browsers' "latin1" decoder is windows-1252, which maps
// 0x80..0x9F elsewhere, so bytes and characters are converted here, one to one.

const CHUNK = 0x8000;

export function bytesToLatin1(bytes: Uint8Array): string {
  let text = "";
  for (let start = 0; start < bytes.length; start += CHUNK) {
    text += String.fromCharCode(...bytes.subarray(start, start + CHUNK));
  }
  return text;
}

export function latin1ToBytes(text: string): Uint8Array<ArrayBuffer> {
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
  return bytes;
}
