#pragma once

// The object names of the Font tool window's controls, shared by its code
// and its tests.
namespace FontToolNames {

inline constexpr char fontBold[] = "fontBold";
inline constexpr char fontCell[] = "fontCell";
inline constexpr char fontCellLabel[] = "fontCellLabel";
inline constexpr char fontCharacters[] = "fontCharacters";
inline constexpr char fontCharactersLabel[] = "fontCharactersLabel";
inline constexpr char fontExportButton[] = "fontExportButton";
inline constexpr char fontFamily[] = "fontFamily";
inline constexpr char fontFamilyLabel[] = "fontFamilyLabel";
inline constexpr char fontFileButton[] = "fontFileButton";
inline constexpr char fontFileShown[] = "fontFileShown";
inline constexpr char fontForm[] = "fontForm";
inline constexpr char fontFormLabel[] = "fontFormLabel";
inline constexpr char fontGlyphName[] = "fontGlyphName";
inline constexpr char fontHinting[] = "fontHinting";
inline constexpr char fontHintingLabel[] = "fontHintingLabel";
inline constexpr char fontInverted[] = "fontInverted";
inline constexpr char fontName[] = "fontName";
inline constexpr char fontNameLabel[] = "fontNameLabel";
inline constexpr char fontPixelSize[] = "fontPixelSize";
inline constexpr char fontPixelSizeLabel[] = "fontPixelSizeLabel";
inline constexpr char fontProfile[] = "fontProfile";
inline constexpr char fontProfileLabel[] = "fontProfileLabel";
inline constexpr char fontProgmem[] = "fontProgmem";
inline constexpr char fontSample[] = "fontSample";
inline constexpr char fontSampleLabel[] = "fontSampleLabel";
inline constexpr char fontSamplePreview[] = "fontSamplePreview";
inline constexpr char fontSetScroll[] = "fontSetScroll";
inline constexpr char fontSetView[] = "fontSetView";
inline constexpr char fontSpacing[] = "fontSpacing";
inline constexpr char fontSpacingLabel[] = "fontSpacingLabel";
inline constexpr char fontStatus[] = "fontStatus";
inline constexpr char fontStyle[] = "fontStyle";
inline constexpr char fontStyleLabel[] = "fontStyleLabel";
inline constexpr char fontTemplate[] = "fontTemplate";
inline constexpr char fontTemplateLabel[] = "fontTemplateLabel";
inline constexpr char fontToolWindow[] = "fontToolWindow";
inline constexpr char fontUseInTextTool[] = "fontUseInTextTool";
inline constexpr char glyphEditor[] = "glyphEditor";

} // namespace FontToolNames
