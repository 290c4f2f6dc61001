#include "reports/ReportLayout.h"

#include <algorithm>
#include <set>

#include "reports/ReportDataset.h"

TReportItem& TReportBand::Label(const std::string& text, double x, double y, double width, TReportAlign align,
                                bool bold, double fontSize) {
  TReportItem item;
  item.Text = text;
  item.X = x;
  item.Y = y;
  item.Width = width;
  item.Align = align;
  item.Bold = bold;
  item.FontSize = fontSize;
  Items.push_back(std::move(item));
  return Items.back();
}

TReportItem& TReportBand::Cell(const std::string& field, double x, double y, double width, TPrintHandler handler,
                               TReportAlign align) {
  TReportItem& item = Label(std::string(), x, y, width, align);
  item.Kind = TReportItemKind::Cell;
  item.Field = field;
  item.Handler = std::move(handler);
  return item;
}

TReportItem& TReportBand::Computed(TReportFormatter formatter, double x, double y, double width, TReportAlign align) {
  TReportItem& item = Label(std::string(), x, y, width, align);
  item.Kind = TReportItemKind::Computed;
  item.Formatter = std::move(formatter);
  return item;
}

TReportItem& TReportBand::Rule(double x, double y, double width) {
  TReportItem& item = Label(std::string(), x, y, width);
  item.Kind = TReportItemKind::Rule;
  return item;
}

TReportBand& TReportLayout::AddBand(TReportBandKind kind, double height) {
  TReportBand band;
  band.Kind = kind;
  band.Height = height;
  Bands.push_back(std::move(band));
  return Bands.back();
}

bool TRenderedPage::HasText(const std::string& text) const {
  return std::any_of(Texts.begin(), Texts.end(), [&](const TRenderedText& t) { return t.Text == text; });
}

std::vector<std::string> TRenderedPage::TextsInOrder() const {
  std::vector<const TRenderedText*> sorted;
  for (const TRenderedText& t : Texts) sorted.push_back(&t);
  std::stable_sort(sorted.begin(), sorted.end(), [](const TRenderedText* a, const TRenderedText* b) {
    return a->Y != b->Y ? a->Y < b->Y : a->X < b->X;
  });
  std::vector<std::string> texts;
  for (const TRenderedText* t : sorted) texts.push_back(t->Text);
  return texts;
}

namespace {

bool Prints(const TReportCondition& condition, const TReportDataset& data, int record) {
  return !condition || condition(data, record);
}

std::string ItemText(const TReportItem& item, const TReportDataset& data, int record, int pageNumber) {
  switch (item.Kind) {
    case TReportItemKind::Label: return item.Text;
    // The page count is known only at the end; Run completes the text.
    case TReportItemKind::PageNumber: return item.Text + std::to_string(pageNumber);
    case TReportItemKind::Cell: {
      const int field = data.FieldIndex(item.Field);
      if (record < 0 || data.IsNull(record, field)) return std::string();
      return item.Handler ? item.Handler(data, record, field) : data.Text(record, field);
    }
    case TReportItemKind::Computed: return record >= 0 && item.Formatter ? item.Formatter(data, record) : std::string();
    default: return std::string();
  }
}

class TPaginator {
public:
  TPaginator(const TReportLayout& layout, const TReportDataset& data) : FLayout(layout), FData(data) {}

  std::vector<TRenderedPage> Run() {
    StartPage(FData.RecordCount() > 0 ? 0 : -1);
    for (int record = 0; record < FData.RecordCount(); ++record) PlaceRecord(record);
    FinishPage();
    PlacePlots();
    const std::string count = " of " + std::to_string(FPages.size());
    for (const TPageNumberText& number : FPageNumbers) FPages[number.Page].Texts[number.Text].Text += count;
    return std::move(FPages);
  }

private:
  const TPageSetup& Page() const { return FLayout.Page; }
  double Bottom() const { return Page().Height - Page().Margin - FooterHeight(); }

  double FooterHeight() const {
    double height = 0;
    for (const TReportBand& band : FLayout.Bands)
      if (band.Kind == TReportBandKind::PageFooter) height += band.Height;
    return height;
  }

  void StartPage(int record) {
    TRenderedPage page;
    page.Number = static_cast<int>(FPages.size()) + 1;
    FPages.push_back(std::move(page));
    FY = Page().Margin;
    FLastRecord = -1;
    const bool first = FPages.size() == 1;
    for (const TReportBand& band : FLayout.Bands) {
      const bool fixed = band.Kind == TReportBandKind::PageHeader || (band.Kind == TReportBandKind::Title && first);
      if (fixed && Prints(band.PrintIf, FData, record)) Place(band, record, FY);
    }
    for (const TReportBand& band : FLayout.Bands)
      if (band.Kind == TReportBandKind::GroupContinuation && Continues(record, band.GroupField) &&
          Prints(band.PrintIf, FData, record))
        Place(band, record, FY);
    for (const TReportBand& band : FLayout.Bands) {
      if (band.Kind != TReportBandKind::ColumnHeader || (band.FromSecondPage && first)) continue;
      if (band.OnlyInsideGroup && !Continues(record, OutermostGroupField())) continue;
      if (Prints(band.PrintIf, FData, record)) Place(band, record, FY);
    }
    FContentTop = FY;
  }

  // Plots go two to a page where both fit in half a page; the page carries
  // the page header and footer as a page without a record.
  void PlacePlots() {
    const std::vector<plots::TPlot>& all = FLayout.Plots;
    constexpr double gap = 18;
    for (size_t i = 0; i < all.size();) {
      const bool pair = i + 1 < all.size() && !PlotNeedsWholePage(all[i]) && !PlotNeedsWholePage(all[i + 1]);
      StartPlotPage();
      const double top = FY + 6, height = Bottom() - 4 - top;
      const double left = Page().Margin, width = Page().ContentWidth();
      if (pair) {
        const double half = (height - gap) / 2;
        LayOutPlot(all[i], left, top, width, half, FPages.back());
        LayOutPlot(all[i + 1], left, top + half + gap, width, half, FPages.back());
      } else {
        LayOutPlot(all[i], left, top, width, height, FPages.back());
      }
      i += pair ? 2 : 1;
      FinishPage();
    }
  }

  void StartPlotPage() {
    TRenderedPage page;
    page.Number = static_cast<int>(FPages.size()) + 1;
    FPages.push_back(std::move(page));
    FY = Page().Margin;
    FLastRecord = -1;
    for (const TReportBand& band : FLayout.Bands)
      if (band.Kind == TReportBandKind::PageHeader && Prints(band.PrintIf, FData, -1)) Place(band, -1, FY);
    FContentTop = FY;
  }

  std::string OutermostGroupField() const {
    for (const TReportBand& band : FLayout.Bands)
      if (band.Kind == TReportBandKind::GroupHeader) return band.GroupField;
    return std::string();
  }

  // Whether the record about to be placed lies inside a group of the field
  // that began before it: the group did not change at this record, or its
  // header went on the page before when the record's bands had to be split.
  bool Continues(int record, const std::string& field) const {
    if (record < 0 || field.empty()) return false;
    if (FPlacedGroups.count(field)) return true;
    size_t level = 0;
    for (const TReportBand& band : FLayout.Bands) {
      if (band.Kind != TReportBandKind::GroupHeader) continue;
      if (band.GroupField == field) return !GroupChanged(record, level);
      ++level;
    }
    return false;
  }

  void FinishPage() {
    double y = Bottom();
    for (const TReportBand& band : FLayout.Bands) {
      if (band.Kind != TReportBandKind::PageFooter || !Prints(band.PrintIf, FData, FLastRecord)) continue;
      Place(band, FLastRecord, y);
    }
  }

  bool GroupChanged(int record, size_t level) const {
    if (record == 0) return true;
    size_t seen = 0;
    for (const TReportBand& band : FLayout.Bands) {
      if (band.Kind != TReportBandKind::GroupHeader) continue;
      const int field = FData.FieldIndex(band.GroupField);
      if (FData.Value(record, field) != FData.Value(record - 1, field)) return true;
      if (seen++ == level) break;
    }
    return false;
  }

  std::vector<const TReportBand*> BandsOf(int record) const {
    std::vector<const TReportBand*> bands;
    size_t level = 0;
    for (const TReportBand& band : FLayout.Bands) {
      if (band.Kind == TReportBandKind::GroupHeader) {
        if (GroupChanged(record, level++) && Prints(band.PrintIf, FData, record)) bands.push_back(&band);
      } else if (band.Kind == TReportBandKind::Detail && Prints(band.PrintIf, FData, record)) {
        bands.push_back(&band);
      }
    }
    return bands;
  }

  // A record's bands go on one page together unless they are taller than a
  // whole page; then they break between bands. A page that holds nothing
  // but its fixed bands is never left, so an oversized band cannot loop.
  void PlaceRecord(int record) {
    FPlacedGroups.clear();
    const std::vector<const TReportBand*> bands = BandsOf(record);
    double total = 0;
    for (const TReportBand* band : bands) total += band->Height;
    if (FY + total > Bottom() && FY > FContentTop) NewPage(record);
    const bool together = FY + total <= Bottom();
    for (const TReportBand* band : bands) {
      if (!together && FY + band->Height > Bottom() && FY > FContentTop) NewPage(record);
      Place(*band, record, FY);
      if (band->Kind == TReportBandKind::GroupHeader) FPlacedGroups.insert(band->GroupField);
    }
    FPages.back().Records.push_back(record);
    FLastRecord = record;
  }

  void NewPage(int record) {
    FinishPage();
    StartPage(record);
  }

  void Place(const TReportBand& band, int record, double& y) {
    TRenderedPage& page = FPages.back();
    for (const TReportItem& item : band.Items) {
      if (!Prints(item.PrintIf, FData, record)) continue;
      const double x = Page().Margin + item.X;
      const double top = y + item.Y;
      if (item.Kind == TReportItemKind::Rule) {
        page.Rules.push_back({x, top, x + item.Width, top});
      } else if (item.Kind == TReportItemKind::Logo) {
        page.Logos.push_back({x, top, item.Width, item.Height});
      } else {
        const size_t count = page.Texts.size();
        PlaceText(page, item, ItemText(item, FData, record, page.Number), x, top, band.Kind);
        if (item.Kind == TReportItemKind::PageNumber && page.Texts.size() > count)
          FPageNumbers.push_back({FPages.size() - 1, count});
      }
    }
    y += band.Height;
  }

  void PlaceText(TRenderedPage& page, const TReportItem& item, std::string text, double x, double top,
                 TReportBandKind kind) const {
    if (text.empty()) return;
    TRenderedText rendered;
    rendered.Text = std::move(text);
    rendered.FontSize = item.FontSize > 0                     ? item.FontSize
                        : kind == TReportBandKind::PageFooter ? Page().FooterFontSize
                                                              : Page().BaseFontSize;
    rendered.X = x;
    rendered.Y = top;
    rendered.Width = item.Width;
    rendered.Height = item.Height > 0 ? item.Height : rendered.FontSize * 1.25;
    rendered.Align = item.Align;
    rendered.Bold = item.Bold;
    rendered.Utf8 = item.Utf8;
    page.Texts.push_back(std::move(rendered));
  }

  struct TPageNumberText {
    size_t Page;
    size_t Text;
  };

  const TReportLayout& FLayout;
  const TReportDataset& FData;
  std::vector<TRenderedPage> FPages;
  std::vector<TPageNumberText> FPageNumbers;
  std::set<std::string> FPlacedGroups;  // group headers placed for the current record
  double FY = 0;
  double FContentTop = 0;
  int FLastRecord = -1;
};

}  // namespace

std::vector<TRenderedPage> PaginateReport(const TReportLayout& layout, const TReportDataset& data) {
  return TPaginator(layout, data).Run();
}
