#include "review/review_service.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "merge/table_merge.h"
#include "platform/file_descriptors.h"
#include "platform/file_reader.h"
#include "platform/file_replacement.h"
#include "review/review_answers.h"
#include "review/review_page.h"
#include "review/table_apply.h"

namespace {

using Json = nlohmann::json;

constexpr size_t kMostCompletions = 8;

ReviewReply JsonReply(const Json& json, int status = 200) {
  return {status, json.dump(-1, ' ', false, Json::error_handler_t::replace), "application/json"};
}

ReviewReply Refused(const std::string& why, int status = 409) {
  return JsonReply({{"refused", why}}, status);
}

const std::string* QueryValue(const std::multimap<std::string, std::string>& query,
                              const char* name) {
  auto found = query.find(name);
  return found == query.end() ? nullptr : &found->second;
}

std::vector<std::string> Watched(const ReviewSetup& setup) {
  std::vector<std::string> paths{setup.request.inputs.source_path, setup.request.inputs.target_path,
                                 setup.request.inputs.mapping_path};
  if (!setup.synonyms_path.empty()) paths.push_back(setup.synonyms_path);
  return paths;
}

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

ReviewService::ReviewService(ReviewSetup setup)
    : setup_(std::move(setup)), watch_(Watched(setup_)) {}

ReviewService::~ReviewService() { Settle(); }

void ReviewService::Settle() {
  if (reading_.joinable()) reading_.join();
}

bool ReviewService::Start(CliStreams& io) {
  std::string said;
  lexicon_ = setup_.load_lexicon(said);
  io.err << said;
  if (!lexicon_) return false;
  SuggestionRequest request = setup_.request;
  request.matcher.lexicon = lexicon_.get();
  request.command = "review";
  request.has_verbose = false;
  // An existing decisions file is read as suggest reads it, and refused in
  // its words; a new review starts without one.
  if (ProbePath(setup_.decisions_path) == 0) request.decisions_path = setup_.decisions_path;
  run_ = ReviewRun::Load(request, io);
  if (!run_) return false;
  targets_ = std::make_unique<TypedTargets>(run_->Work().input);
  return true;
}

ReviewReply ReviewService::Page() { return {200, ReviewPageHtml(), "text/html; charset=utf-8"}; }

ReviewReply ReviewService::Get(std::string_view name,
                               const std::multimap<std::string, std::string>& query) {
  if (name == "poll") {
    std::lock_guard<std::mutex> lock(mutex_);
    return JsonReply({{"version", version_}, {"reading", reading_busy_.load()}});
  }
  if (name == "state") return State();
  if (name == "class") return ClassReview(query);
  if (name == "complete") return Complete(query);
  if (name == "apply") return Preview();
  return Refused("no such answer", 404);
}

ReviewReply ReviewService::Post(std::string_view name, std::string_view body) {
  if (name == "decide") return Decide(body);
  if (name == "undo") return Undo(body);
  if (name == "accept-tools") return AcceptTools(body);
  if (name == "apply") return Apply(body);
  if (name == "apply-undo") return UndoApply();
  if (name == "quit") {
    quit_ = true;
    return JsonReply(
        {{"said", "The review has stopped. Its decisions are in " + setup_.decisions_path + "."}});
  }
  return Refused("no such request", 404);
}

ReviewReply ReviewService::State() {
  std::lock_guard<std::mutex> lock(mutex_);
  const FindingRunOptions& inputs = setup_.request.inputs;
  return JsonReply({{"version", version_},
                    {"inputs",
                     {{"source", inputs.source_path},
                      {"target", inputs.target_path},
                      {"mapping", inputs.mapping_path},
                      {"decisions", setup_.decisions_path},
                      {"synonyms", setup_.synonyms_path}}},
                    {"counts", CountsJson(run_->Counts())},
                    {"progress", ProgressJson(*run_)},
                    {"classes", ClassLinesJson(*run_, ClassesToReview(*run_))},
                    {"carried", CarriedJson(*run_, setup_.decisions_path)},
                    {"notice", notice_.empty() ? Json(nullptr) : Json(notice_)},
                    {"problem", problem_.empty() ? Json(nullptr) : Json(problem_)},
                    {"undo", undo_.size()},
                    {"applied", applied_.size()}});
}

ReviewReply ReviewService::ClassReview(const std::multimap<std::string, std::string>& query) {
  const std::string* key = QueryValue(query, "key");
  if (key == nullptr) return Refused("which class?", 400);
  std::lock_guard<std::mutex> lock(mutex_);
  const std::optional<size_t> source = run_->SourceOfKey(*key);
  if (!source) return Refused("no class of that key is reviewed", 404);
  return JsonReply({{"version", version_}, {"review", ClassReviewJson(*run_, *targets_, *source)}});
}

ReviewReply ReviewService::Complete(const std::multimap<std::string, std::string>& query) {
  const std::string* key = QueryValue(query, "key");
  const std::string* text = QueryValue(query, "text");
  if (key == nullptr || text == nullptr) return Refused("complete what?", 400);
  const std::string* attribute_key = QueryValue(query, "attribute-key");
  const std::string* attribute_label = QueryValue(query, "attribute-label");
  const std::string* in = QueryValue(query, "in");
  std::lock_guard<std::mutex> lock(mutex_);
  const std::optional<ItemRef> ref = run_->FindItem(*key, attribute_key, attribute_label);
  if (!ref) return Refused("no such item in this review", 404);
  std::vector<Completion> found;
  if (ref->is_class) {
    found = targets_->CompleteClass(*text, kMostCompletions);
  } else {
    long home = run_->PlacedTarget(run_->SourceOf(*ref));
    if (home < 0 && in != nullptr) {
      const std::optional<size_t> shown = targets_->ClassOfKey(*in);
      home = shown ? static_cast<long>(*shown) : -1;
    }
    if (home >= 0)
      found = targets_->CompleteAttribute(static_cast<size_t>(home), *text, kMostCompletions);
  }
  Json list = Json::array();
  for (const Completion& c : found) list.push_back({c.key, c.label, c.holder});
  return JsonReply({{"completions", list}});
}

std::optional<Decision> ReviewService::Resolve(const DecideRequest& request, const ItemRef& ref,
                                               std::string& refused) const {
  Decision decision;
  decision.entry = 0;
  switch (request.kind) {
    case DecideRequest::Kind::kOpen:
      return Decision{};
    case DecideRequest::Kind::kNoMapping:
      decision.no_mapping = true;
      return decision;
    case DecideRequest::Kind::kTarget:
    case DecideRequest::Kind::kTyped:
      break;
  }
  const bool typed = request.kind == DecideRequest::Kind::kTyped;
  if (ref.is_class) {
    const std::optional<size_t> target = typed ? targets_->FindClass(request.typed, refused)
                                               : targets_->ClassOfKey(request.target_key);
    if (!target) {
      if (!typed) refused = request.target_key + " is not a class of the target dictionary";
      return std::nullopt;
    }
    decision.target_class = static_cast<uint32_t>(*target);
    return decision;
  }
  if (!typed) {
    const std::optional<size_t> holder = targets_->ClassOfKey(request.target_class);
    if (holder) {
      const std::vector<SuggestAttribute>& own = run_->Work().input.target[*holder].attributes;
      for (size_t a = 0; a < own.size(); ++a) {
        if (own[a].key != request.target_key) continue;
        decision.target_class = static_cast<uint32_t>(*holder);
        decision.target_attribute = static_cast<uint32_t>(a);
        return decision;
      }
    }
    refused = request.target_key + " is not an attribute of " + request.target_class +
              " in the target dictionary";
    return std::nullopt;
  }
  // A typed attribute is looked for where its class is placed: decided,
  // mapped by the table, or accepted; else in the class the page shows.
  long home = run_->PlacedTarget(run_->SourceOf(ref));
  if (home < 0 && !request.target_class.empty()) {
    const std::optional<size_t> shown = targets_->ClassOfKey(request.target_class);
    home = shown ? static_cast<long>(*shown) : -1;
  }
  if (home < 0) {
    refused = "its class has no target to look in: decide the class first";
    return std::nullopt;
  }
  const std::optional<AttributeAt> found =
      targets_->FindAttribute(static_cast<size_t>(home), request.typed, refused);
  if (!found) return std::nullopt;
  decision.target_class = static_cast<uint32_t>(found->holder);
  decision.target_attribute = static_cast<uint32_t>(found->attribute);
  return decision;
}

std::string ReviewService::Take(const std::vector<DecisionChange>& changes,
                                std::vector<size_t>& sources, std::vector<DecisionChange>* before) {
  std::vector<DecisionChange> previous;
  sources = run_->Decide(changes, &previous);
  const std::string problem =
      ReplaceFile(setup_.decisions_path, run_->DecisionsFileText(), {false, {}});
  if (!problem.empty()) {
    std::vector<size_t> again = run_->Decide(previous);
    sources.insert(sources.end(), again.begin(), again.end());
    return "Nothing was decided: the decisions file cannot be written (" + problem + ").";
  }
  ++version_;
  ++decisions_taken_;
  if (before != nullptr) *before = std::move(previous);
  return "";
}

ReviewReply ReviewService::Answer(const std::vector<size_t>& sources, const std::string& showing,
                                  const std::string& said) {
  std::vector<size_t> shown = sources;
  std::sort(shown.begin(), shown.end());
  shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  const std::vector<size_t> reviewed = ClassesToReview(*run_);
  std::erase_if(shown,
                [&](size_t s) { return !std::binary_search(reviewed.begin(), reviewed.end(), s); });
  Json review = nullptr;
  if (const std::optional<size_t> source = run_->SourceOfKey(showing))
    review = ClassReviewJson(*run_, *targets_, *source);
  return JsonReply({{"version", version_},
                    {"said", said},
                    {"lines", ClassLinesJson(*run_, shown)},
                    {"review", review},
                    {"progress", ProgressJson(*run_)},
                    {"undo", undo_.size()}});
}

ReviewReply ReviewService::Decide(std::string_view body) {
  std::string problem;
  const std::optional<DecideRequest> request = ReadDecideRequest(body, problem);
  if (!request) return Refused(problem, 400);
  std::lock_guard<std::mutex> lock(mutex_);
  const ItemName& named = request->item;
  const std::optional<ItemRef> ref =
      run_->FindItem(named.class_key, named.for_attribute ? &named.attribute_key : nullptr,
                     named.for_attribute ? &named.attribute_label : nullptr);
  if (!ref) return Refused("That item is not in this review (the inputs may have changed).", 404);
  if (!run_->Nameable(*ref)) {
    return Refused(
        "Another class (or attribute) has the same key, and a decisions file cannot tell them "
        "apart: map this one in the table.");
  }
  std::string refused;
  const std::optional<Decision> decision = Resolve(*request, *ref, refused);
  if (!decision) return Refused(refused, 422);
  std::vector<size_t> sources;
  std::vector<DecisionChange> before;
  if (std::string failed = Take({{*ref, *decision}}, sources, &before); !failed.empty())
    return Refused(failed, 500);
  undo_.push_back(std::move(before));
  return Answer(sources, request->showing, "Saved in " + setup_.decisions_path + ".");
}

ReviewReply ReviewService::Undo(std::string_view body) {
  std::string problem;
  const std::optional<std::string> showing = ReadShowingRequest(body, problem);
  if (!showing) return Refused(problem, 400);
  std::lock_guard<std::mutex> lock(mutex_);
  if (undo_.empty()) return Refused("There is no decision to take back.");
  std::vector<size_t> sources;
  if (std::string failed = Take(undo_.back(), sources, nullptr); !failed.empty())
    return Refused(failed, 500);
  const size_t count = undo_.back().size();
  undo_.pop_back();
  return Answer(sources, *showing,
                "Took back " + Counted(count, "decision", "decisions") + "; saved in " +
                    setup_.decisions_path + ".");
}

ReviewReply ReviewService::AcceptTools(std::string_view body) {
  std::string problem;
  const std::optional<AcceptToolsRequest> request = ReadAcceptToolsRequest(body, problem);
  if (!request) return Refused(problem, 400);
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<DecisionChange> changes;
  auto take = [&](const ItemRef& ref) {
    if (run_->DecisionOf(ref).decided() || !run_->Nameable(ref)) return;
    Decision d;
    d.entry = 0;
    if (ref.is_class) {
      const ClassSuggestion& view = run_->Output().classes[ref.item];
      if (!view.accepted || view.candidates.empty()) return;
      d.target_class = static_cast<uint32_t>(view.candidates[0].target);
    } else {
      const AttributeSuggestion& view = run_->Output().attributes[ref.item];
      if (!view.accepted || view.candidates.empty()) return;
      d.target_class = view.candidates[0].target_class;
      d.target_attribute = view.candidates[0].target_attribute;
    }
    changes.push_back({ref, d});
  };
  for (size_t source : ClassesToReview(*run_)) {
    if (!request->class_key.empty() && run_->Work().input.source[source].key != request->class_key)
      continue;
    const long item = run_->Effects().ClassItemOf(source);
    if (item >= 0) take({true, static_cast<size_t>(item)});
    for (size_t a : run_->Effects().AttributeItemsOf(source)) take({false, a});
  }
  if (changes.empty()) return Refused("No open item has a candidate the tool accepted.");
  std::vector<size_t> sources;
  std::vector<DecisionChange> before;
  if (std::string failed = Take(changes, sources, &before); !failed.empty())
    return Refused(failed, 500);
  undo_.push_back(std::move(before));
  return Answer(sources, request->showing,
                Counted(changes.size(), "item", "items") +
                    " decided as the tool accepted them; saved in " + setup_.decisions_path + ".");
}

namespace {

Json PreviewJson(const ApplyPreview& preview) {
  Json retargets = Json::array();
  for (const ApplyPreview::Retarget& r : preview.retargets)
    retargets.push_back(
        {{"line", r.line}, {"item", r.item}, {"old", r.old_row}, {"new", r.new_row}});
  return {{"class_rows", preview.class_rows},
          {"attribute_rows", preview.attribute_rows},
          {"no_mapping_rows", preview.no_mapping_rows},
          {"retargets", retargets},
          {"unwritten", preview.unwritten},
          {"stamp", preview.stamp}};
}

}  // namespace

ReviewReply ReviewService::Preview() {
  std::lock_guard<std::mutex> lock(mutex_);
  return JsonReply({{"version", version_}, {"preview", PreviewJson(PreviewApply(*run_))}});
}

std::unique_ptr<ReviewRun> ReviewService::Load(const DecisionsFile& decisions,
                                               const Lexicon* lexicon, std::string& problem) const {
  SuggestionRequest request = setup_.request;
  request.matcher.lexicon = lexicon;
  request.command = "review";
  request.inputs.quiet = true;
  std::ostringstream out, err;
  CliStreams io{out, err};
  std::unique_ptr<ReviewRun> fresh = ReviewRun::Load(request, io, &decisions);
  if (!fresh) {
    problem = err.str();
    while (!problem.empty() && problem.back() == '\n') problem.pop_back();
  }
  return fresh;
}

void ReviewService::Swap(std::unique_ptr<ReviewRun> fresh) {
  ++readings_;
  run_ = std::move(fresh);
  targets_ = std::make_unique<TypedTargets>(run_->Work().input);
  // The items are numbered anew: what was decided before cannot be taken
  // back item by item.
  undo_.clear();
  ++version_;
}

bool ReviewService::ReadAgain(bool lexicon_too, std::string& problem) {
  if (lexicon_too) {
    std::shared_ptr<const Lexicon> lexicon = setup_.load_lexicon(problem);
    if (!lexicon) return false;
    lexicon_ = std::move(lexicon);
  }
  std::unique_ptr<ReviewRun> fresh =
      Load(ParseDecisions(run_->DecisionsFileText()), lexicon_.get(), problem);
  if (!fresh) return false;
  Swap(std::move(fresh));
  return true;
}

void ReviewService::Tick() {
  if (reading_busy_) return;
  std::vector<std::string> changed;
  {
    std::lock_guard<std::mutex> lock(watch_mutex_);
    changed = watch_.Changed();
    if (changed.empty()) return;
    watch_.TakeAsTheyAre();
  }
  Settle();
  reading_busy_ = true;
  reading_ = std::thread([this, changed] {
    const bool lexicon_too =
        std::find(changed.begin(), changed.end(), setup_.synonyms_path) != changed.end();
    std::string names;
    for (const std::string& path : changed) names += (names.empty() ? "" : ", ") + path;
    std::unique_lock<std::mutex> lock(mutex_);
    const long taken = decisions_taken_;
    const long readings = readings_;
    const std::string decisions = run_->DecisionsFileText();
    std::shared_ptr<const Lexicon> lexicon = lexicon_;
    lock.unlock();
    // The reading itself runs while the review goes on answering.
    std::string problem;
    if (lexicon_too) lexicon = setup_.load_lexicon(problem);
    std::unique_ptr<ReviewRun> fresh;
    if (lexicon) fresh = Load(ParseDecisions(decisions), lexicon.get(), problem);
    lock.lock();
    if (readings_ != readings) {
      // An Apply read the inputs again meanwhile, after this began: its
      // reading is the newer one, but made with the lexicon as it was: a
      // changed synonyms file is read again at the next look.
      fresh.reset();
      if (lexicon_too) {
        std::lock_guard<std::mutex> watch(watch_mutex_);
        watch_.Forget(setup_.synonyms_path);
      }
    } else if (!fresh) {
      problem_ = names +
                 " changed on disk and cannot be read; the review goes on with what was "
                 "read before:\n" +
                 problem;
      ++version_;
    } else {
      lexicon_ = std::move(lexicon);
      // Decisions taken while it read are the review's latest word.
      if (decisions_taken_ != taken)
        fresh->TakeDecisions(ParseDecisions(run_->DecisionsFileText()));
      Swap(std::move(fresh));
      problem_.clear();
      const DecidedItems& judged = run_->Judged();
      notice_ =
          names + " changed on disk: read again, the suggestions made again" +
          (judged.judged.empty() ? std::string(".")
                                 : "; " + CarriedSummary(judged, setup_.decisions_path) + ".");
    }
    reading_busy_ = false;
  });
}

ReviewReply ReviewService::Apply(std::string_view body) {
  std::string problem;
  const std::optional<ApplyRequest> request = ReadApplyRequest(body, problem);
  if (!request) return Refused(problem, 400);
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string& table_path = setup_.request.inputs.mapping_path;
  ApplyPreview preview = PreviewApply(*run_);
  if (preview.stamp != request->preview)
    return Refused("The review changed since this preview: look at the change again.");
  if (preview.Empty()) return Refused("There is nothing to apply.");
  FileRead table = ReadFile(table_path, kNoSizeBound);
  if (!table.ok() || TextStamp(table.bytes) != run_->TableStamp())
    return Refused("The table changed on disk since it was read; it is read again in a moment.");
  const FindingCounts counts_before = run_->Counts();
  std::string first_backup;
  std::vector<ApplyPreview::Retarget> confirmed;
  for (const ApplyPreview::Retarget& r : preview.retargets) {
    if (std::find(request->retargets.begin(), request->retargets.end(), r.line) !=
        request->retargets.end()) {
      confirmed.push_back(r);
    }
  }
  size_t replaced = 0;
  if (!confirmed.empty()) {
    // The rows a decision replaces go first; then the suggestions are made
    // from the table as it is, and their rows merged into it.
    const std::string text = WithRetargets(table.bytes, confirmed, problem);
    if (text.empty()) return Refused("Nothing was applied: " + problem + ".");
    problem = ReplaceFile(table_path, text, {true, {}, &first_backup});
    if (!problem.empty()) return Refused("Nothing was applied: " + problem + ".", 500);
    replaced = confirmed.size();
    if (!ReadAgain(false, problem)) {
      return Refused("The rows were replaced (the table as it was is kept as " + first_backup +
                         "), but the table cannot be read again: " + problem,
                     500);
    }
    preview = PreviewApply(*run_);
    table = ReadFile(table_path, kNoSizeBound);
  }
  size_t merged = 0;
  if (!preview.rows_text.empty()) {
    const TableMerge merge(table.bytes, preview.rows_text);
    if (!merge.TableProblem().empty() || merge.Plan().HasProblems()) {
      std::string why = merge.TableProblem();
      for (size_t i = 0; why.empty() && i < merge.Plan().results.size(); ++i)
        why = merge.Plan().results[i].reason;
      return Refused("No row was merged: " + why +
                         (first_backup.empty() ? ""
                                               : " (the replaced rows stay; the table as it "
                                                 "was is kept as " +
                                                     first_backup + ")"),
                     500);
    }
    std::string backup;
    problem = ReplaceFile(table_path, merge.Pieces(false), {true, {}, &backup});
    if (!problem.empty()) return Refused("No row was merged: " + problem + ".", 500);
    if (first_backup.empty()) first_backup = backup;
    merged =
        preview.class_rows.size() + preview.attribute_rows.size() + preview.no_mapping_rows.size();
  }
  if (!ReadAgain(false, problem))
    return Refused("The table was written, but cannot be read again: " + problem, 500);
  {
    std::lock_guard<std::mutex> watch(watch_mutex_);
    watch_.TakeAsTheyAre();
  }
  const FileRead written = ReadFile(table_path, kNoSizeBound);
  applied_.push_back({first_backup, TextStamp(written.bytes)});
  notice_.clear();
  Json answer = {{"version", version_},
                 {"said", "Applied: " + Counted(merged, "row", "rows") + " added, " +
                              Counted(replaced, "row", "rows") +
                              " replaced. The table as it was is kept as " + first_backup + "."},
                 {"before", CountsJson(counts_before)},
                 {"after", CountsJson(run_->Counts())}};
  return JsonReply(answer);
}

ReviewReply ReviewService::UndoApply() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (applied_.empty()) return Refused("No Apply to take back.");
  const Applied& last = applied_.back();
  const std::string& table_path = setup_.request.inputs.mapping_path;
  const FileRead table = ReadFile(table_path, kNoSizeBound);
  if (!table.ok() || TextStamp(table.bytes) != last.table_stamp)
    return Refused("The table changed since that Apply: restore " + last.backup + " by hand.");
  const FileRead backup = ReadFile(last.backup, kNoSizeBound);
  if (!backup.ok()) return Refused(last.backup + " cannot be read: restore it by hand.", 500);
  std::string kept;
  std::string problem = ReplaceFile(table_path, backup.bytes, {true, {}, &kept});
  if (!problem.empty()) return Refused("The table was not restored: " + problem + ".", 500);
  const std::string restored = last.backup;
  applied_.pop_back();
  if (!ReadAgain(false, problem))
    return Refused("The table was restored, but cannot be read again: " + problem, 500);
  {
    std::lock_guard<std::mutex> watch(watch_mutex_);
    watch_.TakeAsTheyAre();
  }
  notice_.clear();
  return JsonReply({{"version", version_},
                    {"said", "The table is back as it was before the Apply (from " + restored +
                                 "; the table as the Apply left it is kept as " + kept +
                                 "). The decisions stay."},
                    {"after", CountsJson(run_->Counts())}});
}
