#include "app/window/WindowSvg.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "chart/canvas/TSvgCanvas3D.h"
#include "chart/panel/TChart.h"
#include "gui/FormWindow.h"
#include "runtime/Exception.h"

std::string WindowSvg(const std::array<TChart*, 4>& charts, FormWindow& window, const TPictureExtras& extras) {
  std::vector<TRect> panes;
  panes.reserve(charts.size());
  for (const TChart* chart : charts) {
    panes.push_back(chart->BoundsRect());
  }
  TSvgCanvas3D captionSurface("caption-");
  const int captionHeight = CaptionHeight(captionSurface, extras.Caption);
  const std::string width = std::to_string(window.Width());
  const std::string height = std::to_string(window.Height() + captionHeight);
  const std::string windowHeight = std::to_string(window.Height());
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" << width
      << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << " " << height << "\">\n"
      << "<image x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << windowHeight << "\" xlink:href=\""
      << window.PictureDataUri(panes) << "\"/>\n";
  for (std::size_t pane = 0; pane < charts.size(); ++pane) {
    const TRect& bounds = panes[pane];
    const std::string id = "pane" + std::to_string(pane + 1);
    TSvgCanvas3D surface(id + "-");
    charts[pane]->PaintChartOn(surface);
    if (extras.OverPane) {
      extras.OverPane(static_cast<std::uint8_t>(pane), surface);
    }
    // A pane draws nothing outside itself, as on the screen.
    out << "<clipPath id=\"" << id << "\"><rect width=\"" << bounds.Width() << "\" height=\"" << bounds.Height()
        << "\"/></clipPath>\n<g transform=\"translate(" << bounds.Left << " " << bounds.Top << ")\" clip-path=\"url(#"
        << id << ")\">\n"
        << surface.Elements() << "</g>\n";
  }
  if (captionHeight > 0) {
    DrawCaption(captionSurface, {0, window.Height(), window.Width(), window.Height() + captionHeight}, extras.Caption);
    out << captionSurface.Elements();
  }
  out << "</svg>\n";
  return out.str();
}

void SaveWindowSvg(const std::array<TChart*, 4>& charts, FormWindow& window, const TPictureExtras& extras,
                   const std::string& path) {
  const std::string document = WindowSvg(charts, window, extras);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << document;
  file.flush();
  if (!file) {
    throw FileException("Cannot write '" + path + "': " + std::strerror(errno));
  }
}
