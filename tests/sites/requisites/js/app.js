// Colours the script's box and writes a line into it: without the script the
// box stays white and empty.
document.addEventListener("DOMContentLoaded", function () {
  var box = document.getElementById("script");
  box.style.background = "#c0392b";
  var line = document.createElement("p");
  line.textContent = "スクリプトが書いた文";
  line.style.cssText = "margin: 8px; color: #fff; font-size: 20px";
  box.insertBefore(line, box.firstChild);
});
