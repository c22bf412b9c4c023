#include "buttons/ButtonRecord.h"

namespace korvi {

void ApplyRecord(const ButtonRecord& r, TExeButton& b) {
  b.Enabled = r.Enabled;
  b.Visible = r.Visible;
  if (!r.Visible) return;
  b.Left = r.Left;
  b.Top = r.Top;
  b.Width = r.Width;
  b.Height = r.Height;
  b.Flat = r.Flat;
  b.SetExeName(r.Program);
  if (r.HasStart) b.SetExeStart(r.Start);
  b.SetExeArgs(r.Args);
  if (r.HasGlyph) b.SetGlyphName(r.Glyph);
  b.SetIconIndex(r.Index);
  if (r.HasCaption) b.Caption = r.Caption;
  b.Hint = r.Hint;
  b.Layout = r.Layout;
  b.IData = r.IData;
  b.Font = r.Font;
  b.ShowHint = !b.Hint.empty();
}

ButtonRecord RecordOf(const TExeButton& b) {
  ButtonRecord r;
  r.Enabled = b.Enabled;
  r.Visible = b.Visible;
  r.Left = b.Left;
  r.Top = b.Top;
  r.Width = b.Width;
  r.Height = b.Height;
  r.Flat = b.Flat;
  r.Program = b.ExeName();
  r.Start = b.ExeStart();
  r.Args = b.ExeArgs();
  r.Glyph = b.GlyphName();
  r.Index = b.IconIndex();
  r.Caption = b.Caption;
  r.Hint = b.Hint;
  r.Layout = b.Layout;
  r.Font = b.Font;
  r.IData = b.IData;
  return r;
}

}  // namespace korvi
