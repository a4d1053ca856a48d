// The two pictures, drawn from the layout's data at the screen's pixel
// density: each line's ink fills its ink box, the large title scaled both
// ways, the small lines stretched across.
const SMALL_TEXT_PIXELS = 12;

function drawLine(context, line) {
  context.font = line.font;
  context.fillStyle = line.colour;
  const measured = context.measureText(line.text);
  const [left, top, right, bottom] = line.ink;
  const inkWidth = measured.actualBoundingBoxLeft + measured.actualBoundingBoxRight;
  const inkHeight = measured.actualBoundingBoxAscent + measured.actualBoundingBoxDescent;
  const scaleX = (right - left + 1) / inkWidth;
  const scaleY = parseFloat(line.font) > SMALL_TEXT_PIXELS ? (bottom - top + 1) / inkHeight : 1;
  context.save();
  context.translate(left + measured.actualBoundingBoxLeft * scaleX, top + measured.actualBoundingBoxAscent * scaleY);
  context.scale(scaleX, scaleY);
  context.fillText(line.text, 0, 0);
  context.restore();
}

function drawPicture(canvas) {
  const picture = JSON.parse(canvas.dataset.picture);
  const ratio = window.devicePixelRatio || 1;
  const width = canvas.offsetWidth;
  const height = canvas.offsetHeight;
  canvas.width = Math.round(width * ratio);
  canvas.height = Math.round(height * ratio);
  const context = canvas.getContext('2d');
  context.scale(ratio, ratio);
  context.fillStyle = picture.background;
  context.fillRect(0, 0, width, height);
  // The image at the box's top-left corner, clipped to the box.
  context.beginPath();
  context.rect(0, 0, Math.min(width, picture.width), Math.min(height, picture.height));
  context.clip();
  for (const line of picture.lines) drawLine(context, line);
}

export function drawPictures(root) {
  const canvases = [...root.querySelectorAll('canvas[data-picture]')];
  canvases.forEach(drawPicture);
  // Again once the faces are there, and when the density changes.
  document.fonts.ready.then(() => canvases.forEach(drawPicture));
  document.fonts.addEventListener('loadingdone', () => canvases.forEach(drawPicture));
  window.addEventListener('resize', () => canvases.forEach(drawPicture));
}
