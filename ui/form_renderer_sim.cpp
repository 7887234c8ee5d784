#include "ui/form_renderer_sim.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text_encoding.h"

namespace corvane::ui {

void SimFormRenderer::OnModal(Script script) { scripts_.push_back(std::move(script)); }

void SimFormRenderer::RunModal(TForm& form) {
  if (scripts_.empty())
    throw std::logic_error("modal form " + platform::ToUtf8(form.Name()) + " shown with no script for it");
  Script script = std::move(scripts_.front());
  scripts_.pop_front();
  script(form);
  if (form.ModalResult() == TModalResult::None) form.Close();
  if (form.ModalResult() == TModalResult::None)
    throw std::logic_error("modal form " + platform::ToUtf8(form.Name()) + " refused to close after its script");
  shown_.push_back({form.Name(), form.ModalResult()});
}

void SimFormRenderer::Show(TForm& form) { showing_.push_back(form.Name()); }

void SimFormRenderer::Hide(TForm& form) { std::erase(showing_, form.Name()); }

void SimFormRenderer::ComponentChanged(TComponent&, ComponentProperty) { ++changes_; }

void SimFormRenderer::FormDestroyed(TForm& form) {
  if (form.Showing() && !form.Modal()) Hide(form);
}

}  // namespace corvane::ui
