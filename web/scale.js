// Small screens: the fixed layout is scaled as a whole to the viewport's
// width; nothing reflows.
export function fitToWidth(element, naturalWidth, naturalHeight, reserve = 0) {
  const apply = () => {
    const scale = Math.min(1, (document.documentElement.clientWidth - reserve) / naturalWidth);
    element.style.transform = scale < 1 ? `scale(${scale})` : '';
    element.parentElement.style.height = `${naturalHeight * scale}px`;
    element.parentElement.style.width = `${naturalWidth * scale}px`;
  };
  apply();
  window.addEventListener('resize', apply);
}
