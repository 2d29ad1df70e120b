#include "cli/check_outputs.h"

#include <filesystem>

#include "cli/zorvez.h"
#include "output/report_markup.h"
#include "platform/utf8_files.h"

namespace {

#ifdef _WIN32
constexpr PathStyle kStyle = PathStyle::kWindows;
#else
constexpr PathStyle kStyle = PathStyle::kPosix;
#endif

// The text lists the verdicts that ask for work whatever decides the exit
// status, and the --fail-on verdicts besides.
VerdictSet ListedVerdicts(VerdictSet fail_on) {
  for (Verdict verdict : {Verdict::kRed, Verdict::kBlue, Verdict::kPurple}) fail_on.Add(verdict);
  return fail_on;
}

std::string CurrentFolder() {
  std::error_code error;
  return Utf8FromPath(std::filesystem::current_path(error));
}

}  // namespace

CheckOutputs::CheckOutputs(const CheckOptions& options, CliStreams& io, std::ostream* baseline_out,
                           BaselineFingerprints* baseline)
    : options_(options),
      out_(io.out),
      stamps_(baseline, !options.fail_on.Has(Verdict::kGreen)),
      take_stamps_(baseline != nullptr || baseline_out != nullptr ||
                   (!options.quiet && options.format != CheckFormat::kText)),
      folder_(CurrentFolder()),
      row_names_(options.run.source_path) {
  source_uri_ = ArtifactUriOf(options.run.source_path, folder_, kStyle);
  table_uri_ = ArtifactUriOf(options.run.mapping_path, folder_, kStyle);
  auto write = [this](std::string_view text) { out_ << text; };
  const JsonLinesRenderer::Paths paths{options.run.mapping_path, options.run.source_path};
  if (baseline_out != nullptr) {
    baseline_writer_.emplace([baseline_out](std::string_view text) { *baseline_out << text; },
                             options.run.v5v5, &stamps_, paths);
    baseline_writer_->WithoutBaselineStates();
  }
  if (options.quiet) return;
  switch (options.format) {
    case CheckFormat::kJsonLines:
      lines_.emplace(write, options.run.v5v5, &stamps_, paths);
      break;
    case CheckFormat::kSarif:
      sarif_.emplace(write, SarifRunOf(), stamps_);
      break;
    case CheckFormat::kText:
      text_.emplace(CheckTextRenderer::Settings{options.run.mapping_path, options.run.source_path,
                                                ListedVerdicts(options.fail_on), options.run.v5v5,
                                                io.colour_out, HasBaseline() && !options.verbose},
                    take_stamps_ ? &stamps_ : nullptr);
      break;
  }
}

SarifRun CheckOutputs::SarifRunOf() const {
  SarifRun run{ZorvezVersion(),
               folder_,
               kStyle,
               source_uri_,
               table_uri_,
               options_.run.v5v5,
               {},
               options_.fail_on_hazards,
               options_.include_passes,
               options_.baseline_path};
  for (size_t verdict = 0; verdict < kVerdictCount; ++verdict) {
    run.failing[verdict] = options_.fail_on.Has(static_cast<Verdict>(verdict));
  }
  return run;
}

void CheckOutputs::Accept(const ClassFindings& batch) {
  if (take_stamps_) stamps_.Accept(batch);
  // A name holding markup is said just before the findings that show it.
  markup_.clear();
  FindMarkupNames(batch, options_.run.v5v5, markup_);
  for (const Hazard& hazard : markup_) AcceptHazard(hazard);
  for (size_t i = 0; i < batch.findings.size(); ++i) {
    const bool counts = !HasBaseline() || stamps_.Of(i).state == BaselineState::kNew;
    failed_ = failed_ || (counts && options_.fail_on.Has(batch.findings[i].verdict));
  }
  row_names_.Accept(batch);
  if (lines_) lines_->Accept(batch);
  if (sarif_) sarif_->Accept(batch);
  if (text_) text_->Accept(batch);
  if (baseline_writer_) baseline_writer_->Accept(batch);
}

void CheckOutputs::AcceptHazard(const Hazard& hazard) {
  const FindingStamp stamp = take_stamps_ ? stamps_.Stamp(hazard) : FindingStamp{};
  const bool counts = !HasBaseline() || stamp.state == BaselineState::kNew;
  failed_ = failed_ || (counts && options_.fail_on_hazards);
  if (lines_) lines_->AcceptHazard(hazard, stamp);
  if (sarif_) sarif_->AcceptHazard(hazard, stamp);
  if (text_) text_->AcceptHazard(hazard, stamp);
  if (baseline_writer_) baseline_writer_->AcceptHazard(hazard, stamp);
}

// "PATH:LINE" of a gone finding's place, as the text names places.
std::string CheckOutputs::GonePlaceText(const GonePlace& place) const {
  std::string path = place.name;
  if (place.file == GonePlace::File::kTable ||
      (place.file == GonePlace::File::kUri && place.name == table_uri_.uri)) {
    path = options_.run.mapping_path;
  } else if (place.file == GonePlace::File::kSource ||
             (place.file == GonePlace::File::kUri && place.name == source_uri_.uri)) {
    path = options_.run.source_path;
  }
  if (place.line > 0) {
    path += ':';
    path += std::to_string(place.line);
  }
  return path;
}

void CheckOutputs::Finish(const ComparisonTotals& totals, const std::vector<GoneFinding>& gone) {
  if (lines_) lines_->Finish(totals);
  if (sarif_) sarif_->Finish(totals, gone);
  if (baseline_writer_) baseline_writer_->Finish(totals);
  if (!text_) return;
  for (const GoneFinding& finding : gone) text_->AcceptGone(finding, GonePlaceText(finding.place));
  text_->Write(out_, totals);
  if (HasBaseline()) {
    const BaselineCounts counts = stamps_.Counts();
    out_ << "baseline " << options_.baseline_path << ": " << counts.new_findings << " new, "
         << counts.unchanged << " unchanged, " << counts.gone << " gone\n";
  }
}
