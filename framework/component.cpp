#include "framework/component.h"

#include <algorithm>

Component::Component(Component* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  if (owner_) owner_->components_.push_back(this);
}

Component::~Component() {
  destroying_ = true;
  for (Component* child : components_) child->owner_ = nullptr;
  if (owner_) owner_->Remove(this);
}

void Component::Remove(Component* child) {
  components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
  for (Component* other : components_) other->Notification(child, ComponentOperation::Remove);
  Notification(child, ComponentOperation::Remove);
}

void Component::Notification(Component*, ComponentOperation) {}

void Component::BeginLoading() {
  loading_ = true;
  for (Component* child : components_) child->loading_ = true;
}

void Component::EndLoading() {
  loading_ = false;
  Loaded();
  for (Component* child : components_) {
    child->loading_ = false;
    child->Loaded();
  }
}
