'use strict';
// The page's requests to its own server: reads with GET, changes with POST
// and a JSON body. The cookie set on the first visit carries the token;
// nothing else is sent. A refusal comes back as an Error with the server's
// words and the status.
const ZorReviewApi = (() => {
  async function answer(response) {
    let body = null;
    try {
      body = await response.json();
    } catch (error) {
      body = null;
    }
    if (!response.ok) {
      const refused = new Error(body && body.refused ? body.refused : 'The review answered ' + response.status + '.');
      refused.status = response.status;
      throw refused;
    }
    return body;
  }

  async function get(name, params = {}) {
    const query = new URLSearchParams(params).toString();
    const response = await fetch('/api/' + name + (query === '' ? '' : '?' + query), {
      credentials: 'same-origin', cache: 'no-store',
    });
    return answer(response);
  }

  async function post(name, body = {}) {
    const response = await fetch('/api/' + name, {
      method: 'POST', credentials: 'same-origin', cache: 'no-store',
      headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
    });
    return answer(response);
  }

  return { get, post };
})();
