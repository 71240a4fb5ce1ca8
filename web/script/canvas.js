// The page's canvas: what a run draws, fitted to the screen. The run draws on
// a box of the size the canvas has in the HTML (the window's drawing area),
// which the page fits to the screen and draws at the device's pixels. What is
// drawn since the last clear is kept, to draw again when the box changes size
// (a turned phone, a zoom, a printed sheet), on the program's background: the
// canvas carries its own, which prints, and which a contrast theme leaves as
// it is.
const quilletCanvas = ((canvas) => {
  "use strict";
  const ctx = canvas.getContext("2d");
  const [boxWidth, boxHeight] = [canvas.width, canvas.height];
  let drawing = [];
  let background = null;
  const css = (c) => `rgb(${c & 255},${(c >> 8) & 255},${(c >> 16) & 255})`;
  const draw = (op) => {
    drawing.push(op);
    op();
  };
  function repaint() {
    if (background) {
      ctx.fillStyle = background;
      ctx.fillRect(0, 0, boxWidth, boxHeight);
    }
    for (const op of drawing) op();
  }
  function fit(width, height) {
    if (width === canvas.width && height === canvas.height) return;
    canvas.width = width;
    canvas.height = height;
    ctx.setTransform(width / boxWidth, 0, 0, height / boxHeight, 0, 0);
    ctx.lineWidth = Math.max(1, boxWidth / width);  // never thinner than a device pixel
    repaint();
  }
  // The browser says the box's size in device pixels, where it can; it is
  // taken where it agrees with the size in CSS pixels times the pixel ratio
  // (Chromium's device emulation says CSS pixels there).
  const sized = new ResizeObserver(([entry]) => {
    const [device] = entry.devicePixelContentBoxSize || [];
    const [content] = entry.contentBoxSize;
    const width = content.inlineSize * devicePixelRatio;
    const exact = device && Math.abs(device.inlineSize - width) < 1;
    fit(exact ? device.inlineSize : Math.round(width),
      exact ? device.blockSize : Math.round(content.blockSize * devicePixelRatio));
  });
  try {
    sized.observe(canvas, { box: "device-pixel-content-box" });
  } catch {
    sized.observe(canvas);  // (where the browser cannot say the device's pixels)
  }

  return {
    background(colour) {
      background = css(colour);
      repaint();
    },
    clear() {
      drawing = [];
      repaint();
    },
    line(x1, y1, x2, y2, colour) {
      draw(() => {
        ctx.strokeStyle = css(colour);
        ctx.beginPath();
        ctx.moveTo(x1, y1);
        ctx.lineTo(x2, y2);
        ctx.stroke();
      });
    },
    circle(x, y, r, colour) {
      draw(() => {
        ctx.strokeStyle = css(colour);
        ctx.beginPath();
        ctx.arc(x, y, r, 0, 2 * Math.PI);
        ctx.stroke();
      });
    },
    print(x, y, points, colour, text) {
      draw(() => {
        ctx.fillStyle = css(colour);
        ctx.font = `${points}pt sans-serif`;
        ctx.textBaseline = "top";
        ctx.fillText(text, x, y);
      });
    },
  };
})(document.getElementById("canvas"));
