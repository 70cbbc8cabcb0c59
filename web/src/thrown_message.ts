/** What was thrown, as words: an error's message, anything else as text. */
export function thrownMessage(thrown: unknown): string {
  return thrown instanceof Error ? thrown.message : String(thrown);
}
