#include "app/WindowSvg.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/TForm1.h"
#include "chart/canvas/TSvgCanvas3D.h"
#include "runtime/Exception.h"

std::string WindowSvg(TForm1& form) {
  std::vector<TRect> panes;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    panes.push_back(form.PaneChart(pane).BoundsRect());
  }
  const std::string width = std::to_string(form.Width());
  const std::string height = std::to_string(form.Height());
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" << width
      << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << " " << height << "\">\n"
      << "<image x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height << "\" xlink:href=\""
      << form.PictureDataUri(panes) << "\"/>\n";
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TRect& bounds = panes[pane];
    const std::string id = "pane" + std::to_string(pane + 1);
    TSvgCanvas3D surface(id + "-");
    form.PaneChart(pane).PaintChartOn(surface);
    // A pane draws nothing outside itself, as on the screen.
    out << "<clipPath id=\"" << id << "\"><rect width=\"" << bounds.Width() << "\" height=\"" << bounds.Height()
        << "\"/></clipPath>\n<g transform=\"translate(" << bounds.Left << " " << bounds.Top << ")\" clip-path=\"url(#"
        << id << ")\">\n"
        << surface.Elements() << "</g>\n";
  }
  out << "</svg>\n";
  return out.str();
}

void SaveWindowSvg(TForm1& form, const std::string& path) {
  const std::string document = WindowSvg(form);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << document;
  file.flush();
  if (!file) {
    throw FileException("Cannot write '" + path + "': " + std::strerror(errno));
  }
}
