#include "core/data/def_view.h"

#include <cstdio>

#include "core/sys/text.h"

namespace orvo {

std::string RenderDef(const LoadedDef& def) {
  std::string out;
  char buf[256];
  std::snprintf(buf, sizeof buf, "PSl %d  RecLen %d  HeaderCount %d  ItemCount %d  HasMemo %s\n",
                def.PSl, def.RecLen, def.HeaderCount, def.ItemCount, def.HasMemo ? "yes" : "no");
  out += buf;
  out += "KeyList:";
  for (int k = 0; k < def.KeyCount(); ++k) {
    out += ' ';
    out += std::to_string(def.KeyList[static_cast<size_t>(k)]);
  }
  out += "\n";
  out += "  #  Line   TD   TP TMS SP I/P Ind Uz  Do Key  FieldName                 Heading | JmSCis | JmPole\n";
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    std::snprintf(buf, sizeof buf, "%3d %5d %4d %4d %-3s %c  %c  %3d %3d %3d %3d  ", i, w.LineNo,
                  w.TD, w.TP, w.TMS.c_str(), w.SP, w.IP, w.IndUlozP, w.UlozZ, w.UlozDo, w.KeyPos);
    out += buf;
    out += PadRight(w.FieldName, 25) + " " + TrimRight(w.Heading) + " | " + w.JmSCis + " | " +
           w.JmPole + "\n";
  }
  return out;
}

}  // namespace orvo
