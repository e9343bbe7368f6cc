#pragma once

#include "printing/template.h"

class QIODevice;

namespace varnok::report {

// The template file: a readable XML document of our own (root element
// "varnokReport"), saved as zadost.fr3.
//
//   <varnokReport version="1">
//     <variables><variable name="txt_01" value="''"/></variables>
//     <page paper="A4" orientation="portrait" margins="10 10 10 10">
//       <text x="0" y="0" w="190" h="8" size="14" bold="1">[txt_77] [rok2]</text>
//       <line x1="0" y1="9" x2="190" y2="9" width="1"/>
//       <rect x="0" y="10" w="190" h="20" fill="#eeeeee"/>
//     </page>
//   </varnokReport>
//
// Every attribute but the position has a default, so a template lists only
// what differs. Reading throws varnok::Error naming the file when it is
// not XML or not a template.
Template readTemplate(QIODevice &device, const QString &fileName);
void writeTemplate(QIODevice &device, const Template &report);

// File versions: "Cannot open file" / "Cannot create file" errors as the
// system reports them. Saving goes through a temporary file, so a failed
// save keeps the old template.
Template loadTemplate(const QString &path);
void saveTemplate(const QString &path, const Template &report);

} // namespace varnok::report
