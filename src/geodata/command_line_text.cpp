#include "geodata/command_line_text.h"

namespace kartela::geodata {
namespace {

// What the tools' options change about a problem; empty where no option helps.
std::string OptionHint(const ImportProblem& problem) {
  switch (problem.code) {
    case ProblemCode::kNoNameField:
      return " (--name-field)";
    case ProblemCode::kNameNotInEncoding:
    case ProblemCode::kRowNotInEncoding:
      return " (--encoding chooses another)";
    case ProblemCode::kTooManyAreas:
      return "; join rows into fewer areas with --group-field, or import a smaller extent";
    case ProblemCode::kTooManyPoints:
      return "; a coarser --tolerance (now " + problem.text +
             " pixels), or a smaller extent, helps";
    case ProblemCode::kNoCoordinateSystem:
    case ProblemCode::kTakenAsLongitudeLatitude:
      return " (--source-crs says which system it is; --planar takes the numbers as plane "
             "coordinates)";
    case ProblemCode::kNamesCollide:
      return "; another --name-field, or --group-field to join them, helps";
    case ProblemCode::kUnholdableTitle:
    case ProblemCode::kTitleTooLong:
      return " (--title)";
    default:
      return "";
  }
}

}  // namespace

std::string CommandLineText(const ImportProblem& problem) {
  return Describe(problem) + OptionHint(problem);
}

std::string CommandLineText(const ImportProblems& problems) {
  return ListProblems(
      problems, [](const ImportProblem& problem) { return CommandLineText(problem); },
      MoreProblems);
}

}  // namespace kartela::geodata
