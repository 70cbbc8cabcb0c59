// Check boxes as the .cfg stores them: 0 clear, 1 ticked, 2 greyed, as the desktop's. Greyed
// comes only from a file and counts as clear for the build; a click ticks the box and ends it.

/** The box's value as the .cfg and the core read it. */
export function checkValue(box: HTMLInputElement): number {
  if (box.indeterminate) return 2;
  return box.checked ? 1 : 0;
}

/** Shows `value` in the box: 2 greyed (and not ticked, so the page reads it as the build does). */
export function writeCheck(box: HTMLInputElement, value: number): void {
  box.indeterminate = value === 2;
  box.checked = value === 1;
}
